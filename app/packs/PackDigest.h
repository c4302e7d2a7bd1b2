#pragma once

#include <string>

namespace app::packs {

// The SHA-256 of the pack at `path`, in hexadecimal: of the file for a
// ".tarnwick" pack; for a pack folder, of every file in it (by its relative
// name, its size and its bytes, in name order), so that the same content
// gives the same digest wherever it lies. A recording names its packs by
// this. Throws PackError when the pack cannot be read.
std::string PackDigest(const std::string& path);

}  // namespace app::packs
