#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen::levels {

struct ArchiveEntry {
    std::string name;
    std::vector<uint8_t> data;
};

// Writes a ZIP archive at path (replacing any file there) holding the entries
// in the given order, each deflated and AES-256 encrypted with the password.
// Entries carry a fixed date, so the same entries give the same content; the
// bytes still differ between runs by AES's random salts. Throws
// std::runtime_error with libzip's reason when the archive cannot be written.
void writeEncryptedArchive(const std::string& path, const std::vector<ArchiveEntry>& entries,
                           std::string_view password);

}  // namespace assetgen::levels
