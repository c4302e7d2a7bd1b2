#include "app/packs/PackFiles.h"

#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <fstream>

#include "app/ZipErrorText.h"
#include "app/packs/PackError.h"

namespace app::packs {
namespace {

namespace fs = std::filesystem;

constexpr size_t kChunkSize = 64 * 1024;

// `file` as a message names it: "the entry \"x\"" or just "\"x\"".
std::string tooLarge(const std::string& file) {
    return file + " is larger than " + std::to_string(kMaxPackFileSize / (1024 * 1024)) + " MiB";
}

std::string quoted(const std::string& fileName) {
    return "\"" + fileName + "\"";
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

}  // namespace

bool IsPackFileName(const std::string& name) {
    if (name.empty() || name.front() == '/') return false;
    size_t start = 0;
    while (true) {
        const size_t end = name.find('/', start);
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const char c : name)
        if (c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

class PackFiles::Source {
  public:
    virtual ~Source() = default;
    virtual std::optional<std::vector<uint8_t>> read(const std::string& pack,
                                                     const std::string& fileName) const = 0;
};

namespace {

class ZipSource : public PackFiles::Source {
  public:
    ZipSource(const std::string& pack, const std::string& path) {
        int code = 0;
        archive_.reset(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
        if (!archive_) FailPack(pack, "not a readable ZIP file: " + ZipErrorText(code));
        const zip_int64_t entries = zip_get_num_entries(archive_.get(), 0);
        for (zip_int64_t i = 0; i < entries; ++i) checkEntry(pack, static_cast<zip_uint64_t>(i));
    }

    std::optional<std::vector<uint8_t>> read(const std::string& pack,
                                             const std::string& fileName) const override {
        const zip_int64_t index = zip_name_locate(archive_.get(), fileName.c_str(), 0);
        if (index < 0) return std::nullopt;
        const std::unique_ptr<zip_file_t, EntryCloser> entry(
            zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
        if (!entry) FailPack(pack, "\"" + fileName + "\" cannot be read: " +
                                       zip_strerror(archive_.get()));
        // The size in the directory may lie; what counts is what inflates.
        std::vector<uint8_t> data;
        uint8_t chunk[kChunkSize];
        while (true) {
            const zip_int64_t got = zip_fread(entry.get(), chunk, sizeof chunk);
            if (got < 0)
                FailPack(pack, "\"" + fileName + "\" is damaged: " +
                                   zip_file_strerror(entry.get()));
            if (got == 0) break;
            if (data.size() + static_cast<uint64_t>(got) > kMaxPackFileSize)
                FailPack(pack, tooLarge(quoted(fileName)));
            data.insert(data.end(), chunk, chunk + got);
        }
        return data;
    }

  private:
    void checkEntry(const std::string& pack, zip_uint64_t index) {
        const char* raw = zip_get_name(archive_.get(), index, ZIP_FL_ENC_GUESS);
        std::string name = raw ? raw : "";
        const std::string shown = "the entry \"" + name + "\"";
        if (!name.empty() && name.back() == '/') name.pop_back();  // a folder
        if (!IsPackFileName(name))
            FailPack(pack, shown + " has a name that points outside the pack");
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive_.get(), index, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK)
            FailPack(pack, shown + " is a link; a pack holds plain files only");
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_.get(), index, 0, &stat) != 0)
            FailPack(pack, shown + " cannot be read: " + zip_strerror(archive_.get()));
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            FailPack(pack, shown + " is encrypted; a pack is a plain ZIP file");
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > kMaxPackFileSize)
            FailPack(pack, tooLarge(shown));
    }

    std::unique_ptr<zip_t, ArchiveCloser> archive_;
};

class FolderSource : public PackFiles::Source {
  public:
    explicit FolderSource(fs::path folder) : folder_(std::move(folder)) {}

    std::optional<std::vector<uint8_t>> read(const std::string& pack,
                                             const std::string& fileName) const override {
        // Links are not followed, at any depth: a pack is its own files.
        fs::path path = folder_;
        std::error_code error;
        for (const fs::path& part : fs::path(fileName)) {
            path /= part;
            const fs::file_status status = fs::symlink_status(path, error);
            if (!fs::exists(status)) return std::nullopt;
            if (fs::is_symlink(status))
                FailPack(pack, "\"" + fileName + "\" is a link; a pack holds plain files only");
        }
        if (!fs::is_regular_file(path, error)) return std::nullopt;
        const uintmax_t size = fs::file_size(path, error);
        if (error) FailPack(pack, "\"" + fileName + "\" cannot be read: " + error.message());
        if (size > kMaxPackFileSize) FailPack(pack, tooLarge(quoted(fileName)));
        std::vector<uint8_t> data(size);
        std::ifstream in(path, std::ios::binary);
        in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
        if (!in || static_cast<uintmax_t>(in.gcount()) != size)
            FailPack(pack, "\"" + fileName + "\" cannot be read");
        return data;
    }

  private:
    fs::path folder_;
};

}  // namespace

PackFiles::PackFiles(std::string name, std::unique_ptr<Source> source)
    : name_(std::move(name)), source_(std::move(source)) {}
PackFiles::~PackFiles() = default;
PackFiles::PackFiles(PackFiles&&) noexcept = default;
PackFiles& PackFiles::operator=(PackFiles&&) noexcept = default;

PackFiles PackFiles::Open(const std::string& path) {
    const fs::path where(path);
    std::string name = where.filename().string();
    if (name.empty()) name = where.parent_path().filename().string();  // "caves/"
    std::error_code error;
    if (fs::is_directory(where, error))
        return PackFiles(name, std::make_unique<FolderSource>(where));
    if (!fs::exists(where, error)) FailPack(name, "there is no such file or folder: " + path);
    return PackFiles(name, std::make_unique<ZipSource>(name, path));
}

std::optional<std::vector<uint8_t>> PackFiles::Read(const std::string& fileName) const {
    if (!IsPackFileName(fileName))
        FailPack(name_, "\"" + fileName + "\" is no name of a file inside the pack");
    return source_->read(name_, fileName);
}

}  // namespace app::packs
