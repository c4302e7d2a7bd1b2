#include <png.h>

#include <vector>

#include "app/PictureFormats.h"

namespace app {
namespace {

// libpng's simplified reader: it takes any PNG (palette, grey, 16-bit,
// interlaced) and hands out 8-bit RGB, which is all a cave needs.
struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

void beginRead(PngImage& png, std::span<const uint8_t> bytes, const std::string& name) {
    if (bytes.empty()) FailPicture(name, "the file is empty");
    if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()))
        FailPicture(name, png.image.message);
}

}  // namespace

PictureSize PngSize(std::span<const uint8_t> bytes, const std::string& name) {
    PngImage png;
    beginRead(png, bytes, name);
    return {static_cast<int>(png.image.width), static_cast<int>(png.image.height)};
}

core::Bitmap DecodePng(std::span<const uint8_t> bytes, const std::string& name) {
    PngImage png;
    beginRead(png, bytes, name);
    const PictureSize size{static_cast<int>(png.image.width), static_cast<int>(png.image.height)};
    CheckPictureSize(size, name);
    png.image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png.image));
    // What a painter left transparent is open space: black.
    const png_color black{0, 0, 0};
    if (!png_image_finish_read(&png.image, &black, rgb.data(), 0, nullptr))
        FailPicture(name, png.image.message);
    core::Bitmap picture(size.width, size.height);
    const uint8_t* source = rgb.data();
    for (int y = 0; y < size.height; ++y) {
        uint32_t* row = picture.row(y);
        for (int x = 0; x < size.width; ++x, source += 3)
            row[x] = uint32_t{source[0]} << 16 | uint32_t{source[1]} << 8 | uint32_t{source[2]};
    }
    return picture;
}

std::vector<uint8_t> EncodePng(const core::Bitmap& picture, const std::string& name) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(picture.width()) * picture.height() * 3);
    for (int y = 0; y < picture.height(); ++y) {
        const uint32_t* row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            rgb.push_back(static_cast<uint8_t>(row[x] >> 16));
            rgb.push_back(static_cast<uint8_t>(row[x] >> 8));
            rgb.push_back(static_cast<uint8_t>(row[x]));
        }
    }
    PngImage png;
    png.image.width = static_cast<png_uint_32>(picture.width());
    png.image.height = static_cast<png_uint_32>(picture.height());
    png.image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        FailPicture(name, png.image.message);
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png.image, bytes.data(), &size, 0, rgb.data(), 0, nullptr))
        FailPicture(name, png.image.message);
    bytes.resize(size);
    return bytes;
}

}  // namespace app
