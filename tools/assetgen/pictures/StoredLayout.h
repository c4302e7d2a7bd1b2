#pragma once

#include <cstdint>
#include <vector>

#include "core/Bitmap.h"

namespace assetgen {

// The picture in the image list's stored form: width and height as 16-bit
// little-endian numbers, then the pixels with the bottom row first, each as
// blue, green, red and an alpha of 255. Throws std::invalid_argument for a
// picture too large for 16-bit sizes.
std::vector<uint8_t> encodeStoredLayout(const core::Bitmap& picture);

}  // namespace assetgen
