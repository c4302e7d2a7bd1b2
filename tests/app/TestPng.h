#pragma once

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace testfiles {

// A PNG made by libpng's simplified writer from RGBA bytes, row by row.
inline std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    std::vector<uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    png.resize(size);
    return png;
}

}  // namespace testfiles
