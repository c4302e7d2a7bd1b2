#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace app::packs {

// One file of a pack: its name inside the pack and its bytes.
using PackEntry = std::pair<std::string, std::vector<uint8_t>>;

// Writes `entries` as a pack file at `path`: a plain ZIP, every entry stored
// as it is (the pictures are compressed already, and a stored pack.toml can
// be read as it is). It is written under a temporary name and renamed into
// place, so a failed write never leaves half a pack under the real name.
// Throws PackError.
void WritePackArchive(const std::string& path, const std::vector<PackEntry>& entries);

}  // namespace app::packs
