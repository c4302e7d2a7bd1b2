#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace app::packs {

// Every file a pack holds is at most this large: a hostile archive could
// otherwise make the game inflate gigabytes into memory.
inline constexpr uint64_t kMaxPackFileSize = 64ull * 1024 * 1024;

// Whether `name` may name a file inside a pack: relative, '/' between
// non-empty parts, none of them "." or "..", no backslash and no control
// character. Nothing of a pack is ever written to disk; the rule keeps a
// pack from naming anything outside itself.
bool IsPackFileName(const std::string& name);

// The files of one pack, read into memory when asked for: a ZIP file (a
// ".tarnwick" pack) or a folder with the same content. Opening a ZIP checks
// every entry: a name IsPackFileName refuses, a link, an encrypted entry or
// one larger than kMaxPackFileSize stops the pack. Errors are PackError.
class PackFiles {
  public:
    // Where the files come from: the archive or the folder.
    class Source;

    // Throws PackError when `path` is neither a folder nor a readable ZIP.
    static PackFiles Open(const std::string& path);
    ~PackFiles();
    PackFiles(PackFiles&&) noexcept;
    PackFiles& operator=(PackFiles&&) noexcept;

    // The pack's file or folder name, which every message names it by.
    const std::string& name() const { return name_; }
    // The content of the file `fileName`, or nothing when the pack has no
    // such file. Throws PackError for a name IsPackFileName refuses, a file
    // that cannot be read or is larger than kMaxPackFileSize.
    std::optional<std::vector<uint8_t>> Read(const std::string& fileName) const;

  private:
    PackFiles(std::string name, std::unique_ptr<Source> source);

    std::string name_;
    std::unique_ptr<Source> source_;
};

}  // namespace app::packs
