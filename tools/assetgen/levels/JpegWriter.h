#pragma once

#include <cstdint>
#include <vector>

#include "core/Bitmap.h"

namespace assetgen::levels {

// The lowest quality the level pictures are written with: below it JPEG's
// errors at rock edges grow large enough to move pixels across the game's
// rock test.
inline constexpr int kMinimumJpegQuality = 95;
// The quality the level pictures are written with. At 97 the open pixels
// beside rock decode with blue at most about 14, safely under the rock
// test's 17; at 95 and 96 a few reached 16 to 20.
inline constexpr int kLevelJpegQuality = 97;

// Encodes a 0x00RRGGBB picture as a baseline JPEG at the given quality, with
// full-resolution colour (no chroma subsampling: halving the colour planes
// would smear rock colour into the black open space beside it) and optimised
// Huffman tables. The same picture always gives the same bytes. Throws
// std::runtime_error if libjpeg fails.
std::vector<uint8_t> encodeJpeg(const core::Bitmap& picture, int quality);

}  // namespace assetgen::levels
