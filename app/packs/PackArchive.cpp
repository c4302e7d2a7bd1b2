#include "app/packs/PackArchive.h"

#include <zip.h>

#include <cstdio>
#include <filesystem>

#include "app/ZipErrorText.h"
#include "app/packs/PackError.h"

namespace app::packs {

void WritePackArchive(const std::string& path, const std::vector<PackEntry>& entries) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string temporary = path + ".part";
    int code = 0;
    zip_t* archive = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) FailPack(name, "cannot be written: " + ZipErrorText(code));
    for (const auto& [entry, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 ||
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0) {
            const std::string reason = zip_strerror(archive);
            if (source && index < 0) zip_source_free(source);
            zip_discard(archive);
            std::remove(temporary.c_str());
            FailPack(name, "\"" + entry + "\" cannot be written: " + reason);
        }
    }
    if (zip_close(archive) != 0) {
        const std::string reason = zip_strerror(archive);
        zip_discard(archive);
        std::remove(temporary.c_str());
        FailPack(name, "cannot be written: " + reason);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        FailPack(name, "cannot be written: " + error.message());
    }
}

}  // namespace app::packs
