#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The sprite pictures the program carries inside itself, made by the asset
// build. Each is stored in the image list's `Data` layout: width and height
// (16-bit little-endian) and then the pixels, rows bottom-up, each pixel blue,
// green, red, alpha.
namespace assets {

struct StoredPicture {
    std::string_view DisplayName;
    bool Transparent;
    bool TransparentModeFixed;      // tmFixed when true, tmAuto otherwise
    int32_t TransparentColor;       // canvas form 0x00BBGGRR
    std::span<const uint8_t> Data;  // the `Data` layout
};

// The entries of DIBImageList1, in list order.
std::span<const StoredPicture> storedPictures();

}  // namespace assets
