#include "levels/ArchiveWriter.h"

#include <zip.h>

#include <ctime>
#include <memory>
#include <stdexcept>

namespace assetgen::levels {
namespace {

struct ArchiveDiscarder {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// 15 June 2005, 12:00 UTC: the game's own year, so every build stamps its
// entries alike.
constexpr time_t kEntryTime = 1118836800;

}  // namespace

void writeEncryptedArchive(const std::string& path, const std::vector<ArchiveEntry>& entries,
                           std::string_view password) {
    int openError = 0;
    std::unique_ptr<zip_t, ArchiveDiscarder> archive(
        zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &openError));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, openError);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw std::runtime_error("cannot create " + path + ": " + reason);
    }
    auto fail = [&](const std::string& what) {
        throw std::runtime_error(what + " in " + path + ": " + zip_strerror(archive.get()));
    };
    const std::string secret(password);
    for (const ArchiveEntry& entry : entries) {
        // libzip reads the data only when the archive is closed; the entries
        // outlive that.
        zip_source_t* data =
            zip_source_buffer(archive.get(), entry.data.data(), entry.data.size(), 0);
        if (data == nullptr) fail("cannot add " + entry.name);
        const zip_int64_t index = zip_file_add(archive.get(), entry.name.c_str(), data,
                                               ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            fail("cannot add " + entry.name);
        }
        const auto at = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive.get(), at, ZIP_CM_DEFLATE, 9) != 0)
            fail("cannot compress " + entry.name);
        if (zip_file_set_encryption(archive.get(), at, ZIP_EM_AES_256, secret.c_str()) != 0)
            fail("cannot encrypt " + entry.name);
        if (zip_file_set_mtime(archive.get(), at, kEntryTime, 0) != 0)
            fail("cannot date " + entry.name);
    }
    if (zip_close(archive.get()) != 0) fail("cannot write the archive");
    archive.release();
}

}  // namespace assetgen::levels
