#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::levels {

// One entry of a ZIP archive as its directory records it.
struct StoredEntry {
    std::string name;
    uint64_t size = 0;
    uint16_t compression = 0;  // libzip's ZIP_CM_* value
    uint16_t encryption = 0;   // libzip's ZIP_EM_* value
};

// The entries of the archive at path, in archive order; reading the
// directory needs no password. Throws std::runtime_error when the archive
// cannot be opened.
std::vector<StoredEntry> listArchive(const std::string& path);

}  // namespace assetgen::levels
