#include "app/LevelArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "app/ZipErrorText.h"

namespace app {
namespace {

constexpr size_t kChunkSize = 64 * 1024;

// Why one entry cannot be extracted; extractEntry adds the entry and archive.
class EntryFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;
using EntryPtr = std::unique_ptr<zip_file_t, EntryCloser>;

std::string asFolder(const std::string& folder) {
    if (folder.empty()) return "./";
    return folder.back() == '/' ? folder : folder + '/';
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string bareNameOf(const std::string& entryName) {
    const size_t lastSeparator = entryName.find_last_of("/\\");
    return lastSeparator == std::string::npos ? entryName : entryName.substr(lastSeparator + 1);
}

[[noreturn]] void systemFailure(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

std::string tooLargeText() {
    return "the entry is larger than " + std::to_string(kMaxArchiveEntrySize / (1024 * 1024)) +
           " MiB";
}

// A new file in the target folder under a unique name. mkstemp creates it with
// O_CREAT | O_EXCL, so it can never be an existing file or a planted link. The
// file is removed again unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& folder) : path_(folder + ".tarnwick-extract-XXXXXX") {
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            path_.clear();
            systemFailure("cannot create a file in " + folder);
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!path_.empty()) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(const char* data, size_t size) {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0) {
                if (errno == EINTR) continue;
                systemFailure("cannot write " + path_);
            }
            data += written;
            size -= static_cast<size_t>(written);
        }
    }

    void renameTo(const std::string& finalPath) {
        if (fchmod(fd_, 0644) != 0) systemFailure("cannot set the permissions of " + path_);
        // A failing close can mean the data never reached the disk.
        const int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0) systemFailure("cannot write " + path_);
        if (rename(path_.c_str(), finalPath.c_str()) != 0)
            systemFailure("cannot create " + finalPath);
        path_.clear();
    }

  private:
    std::string path_;
    int fd_ = -1;
};

// Hands out an entry's data a chunk at a time; 0 means the data ended and
// passed every check libzip makes.
class EntryData {
  public:
    virtual ~EntryData() = default;
    virtual size_t read(char* buffer, size_t capacity) = 0;
};

// The usual way: libzip decrypts and inflates, and checks the CRC (and the AES
// authentication code) when the data has been read to the end.
class LibzipData : public EntryData {
  public:
    explicit LibzipData(zip_file_t* entry) : entry_(entry) {}

    size_t read(char* buffer, size_t capacity) override {
        const zip_int64_t got = zip_fread(entry_, buffer, capacity);
        if (got < 0) throw EntryFailure(zip_file_strerror(entry_));
        return static_cast<size_t>(got);
    }

  private:
    zip_file_t* entry_;
};

// WinZip's AES format AE-2, which 7-Zip writes, records no CRC (the field is
// 0) and relies on the authentication code alone. This libzip checks that 0
// as a CRC for every entry of 20 bytes or more, so such entries always fail.
// For them libzip only decrypts and checks the authentication code, and zlib
// inflates the verified data.
class AuthenticatedDeflateData : public EntryData {
  public:
    explicit AuthenticatedDeflateData(zip_file_t* compressedEntry)
        : entry_(compressedEntry), input_(kChunkSize) {
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
            throw EntryFailure("cannot start inflating");
    }
    ~AuthenticatedDeflateData() override { inflateEnd(&stream_); }
    AuthenticatedDeflateData(const AuthenticatedDeflateData&) = delete;
    AuthenticatedDeflateData& operator=(const AuthenticatedDeflateData&) = delete;

    size_t read(char* buffer, size_t capacity) override {
        const auto room = static_cast<uInt>(std::min<size_t>(capacity, kChunkSize));
        stream_.next_out = reinterpret_cast<Bytef*>(buffer);
        stream_.avail_out = room;
        while (stream_.avail_out == room && !streamEnded_) {
            if (stream_.avail_in == 0) {
                const size_t got = readCompressed(input_.data(), input_.size());
                if (got == 0) throw EntryFailure("the compressed data ends too early");
                stream_.next_in = reinterpret_cast<Bytef*>(input_.data());
                stream_.avail_in = static_cast<uInt>(got);
            }
            const int result = inflate(&stream_, Z_NO_FLUSH);
            if (result == Z_STREAM_END) {
                streamEnded_ = true;
            } else if (result != Z_OK) {
                throw EntryFailure(std::string("the compressed data is damaged (") +
                                   (stream_.msg != nullptr ? stream_.msg : "inflate failed") + ")");
            }
        }
        const size_t produced = room - stream_.avail_out;
        if (produced == 0) {
            // The authentication code is checked when libzip reaches the end
            // of the data, and nothing may follow the compressed stream.
            char extra;
            if (stream_.avail_in != 0 || readCompressed(&extra, 1) != 0) {
                throw EntryFailure("there is data after the end of the compressed stream");
            }
        }
        return produced;
    }

  private:
    size_t readCompressed(char* buffer, size_t capacity) {
        const zip_int64_t got = zip_fread(entry_, buffer, capacity);
        if (got < 0) throw EntryFailure(zip_file_strerror(entry_));
        return static_cast<size_t>(got);
    }

    zip_file_t* entry_;
    std::vector<char> input_;
    z_stream stream_{};
    bool streamEnded_ = false;
};

bool isWinZipAes(zip_uint16_t method) {
    return method == ZIP_EM_AES_128 || method == ZIP_EM_AES_192 || method == ZIP_EM_AES_256;
}

// An AES entry whose CRC field is 0 although its data is not empty: written
// as AE-2, so libzip's CRC check would fail on good data.
bool lacksCrc(const zip_stat_t& stat) {
    return (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && isWinZipAes(stat.encryption_method) &&
           (stat.valid & ZIP_STAT_CRC) != 0 && stat.crc == 0 && (stat.valid & ZIP_STAT_SIZE) != 0 &&
           stat.size > 0;
}

class Extraction {
  public:
    Extraction(const std::string& archivePath, const std::string& targetFolder,
               const std::vector<std::string>& protectedNames)
        : archivePath_(archivePath),
          targetFolder_(asFolder(targetFolder)),
          protectedNames_(protectedNames),
          buffer_(kChunkSize) {}

    void run(std::string_view password) {
        int openError = 0;
        archive_.reset(zip_open(archivePath_.c_str(), ZIP_RDONLY, &openError));
        if (!archive_) {
            throw ArchiveError("Cannot open the level archive " + archivePath_ + ": " +
                               ZipErrorText(openError));
        }
        const std::string passwordText(password);
        if (zip_set_default_password(archive_.get(),
                                     passwordText.empty() ? nullptr : passwordText.c_str()) != 0) {
            throw ArchiveError("Cannot use the password of the level archive " + archivePath_ +
                               ": " + zip_strerror(archive_.get()));
        }
        const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
        for (zip_int64_t index = 0; index < count; ++index)
            extractEntry(static_cast<zip_uint64_t>(index));
    }

  private:
    void extractEntry(zip_uint64_t index) {
        const char* rawName = zip_get_name(archive_.get(), index, ZIP_FL_ENC_GUESS);
        if (rawName == nullptr) {
            throw ArchiveError("Cannot read the entry names of the level archive " + archivePath_ +
                               ": " + zip_strerror(archive_.get()));
        }
        const std::string name = rawName;
        if (!name.empty() && isSeparator(name.back())) return;  // a folder: nothing to write
        try {
            writeEntry(index, name);
        } catch (const EntryFailure& failure) {
            throw ArchiveError("Cannot extract \"" + name + "\" from the level archive " +
                               archivePath_ + ": " + failure.what());
        } catch (const std::system_error& failure) {
            throw ArchiveError("Cannot extract \"" + name + "\" from the level archive " +
                               archivePath_ + ": " + failure.what());
        }
    }

    void writeEntry(zip_uint64_t index, const std::string& name) {
        const std::string bareName = bareNameOf(name);
        if (bareName.empty() || bareName == "." || bareName == "..")
            throw EntryFailure("the entry has no file name");
        if (std::find(protectedNames_.begin(), protectedNames_.end(), bareName) !=
            protectedNames_.end()) {
            throw EntryFailure("the entry would replace the game's own file " + bareName);
        }

        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_.get(), index, 0, &stat) != 0)
            throw EntryFailure(zip_strerror(archive_.get()));
        const bool sizeKnown = (stat.valid & ZIP_STAT_SIZE) != 0;
        if (sizeKnown && stat.size > kMaxArchiveEntrySize) throw EntryFailure(tooLargeText());

        const bool authenticatedOnly = lacksCrc(stat);
        if (authenticatedOnly && stat.comp_method != ZIP_CM_DEFLATE) {
            throw EntryFailure(
                "the entry is AES encrypted without a CRC (AE-2) and not deflated; this libzip "
                "cannot "
                "check such an entry, so the archive must be made with compression or with AE-1");
        }
        const EntryPtr entry(
            zip_fopen_index(archive_.get(), index, authenticatedOnly ? ZIP_FL_COMPRESSED : 0));
        if (!entry) throw EntryFailure(zip_strerror(archive_.get()));
        std::unique_ptr<EntryData> data;
        if (authenticatedOnly) {
            data = std::make_unique<AuthenticatedDeflateData>(entry.get());
        } else {
            data = std::make_unique<LibzipData>(entry.get());
        }

        TemporaryFile file(targetFolder_);
        // The recorded size may lie, so the data is counted as it comes.
        uint64_t total = 0;
        while (const size_t got = data->read(buffer_.data(), buffer_.size())) {
            total += got;
            if (total > kMaxArchiveEntrySize) throw EntryFailure(tooLargeText());
            file.write(buffer_.data(), got);
        }
        if (sizeKnown && total != stat.size) {
            throw EntryFailure("the entry holds " + std::to_string(total) +
                               " bytes instead of the recorded " + std::to_string(stat.size));
        }
        file.renameTo(targetFolder_ + bareName);
    }

    const std::string& archivePath_;
    const std::string targetFolder_;
    const std::vector<std::string>& protectedNames_;
    std::vector<char> buffer_;
    ArchivePtr archive_;
};

}  // namespace

void extractLevelArchive(const std::string& archivePath, std::string_view password,
                         const std::string& targetFolder,
                         const std::vector<std::string>& protectedNames) {
    Extraction(archivePath, targetFolder, protectedNames).run(password);
}

}  // namespace app
