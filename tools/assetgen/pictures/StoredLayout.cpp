#include "tools/assetgen/pictures/StoredLayout.h"

#include <stdexcept>

namespace assetgen {

std::vector<uint8_t> encodeStoredLayout(const core::Bitmap& picture) {
    if (picture.width() > 0xFFFF || picture.height() > 0xFFFF)
        throw std::invalid_argument("a stored picture is at most 65535 pixels on a side");
    std::vector<uint8_t> bytes;
    bytes.reserve(4 +
                  static_cast<size_t>(picture.width()) * static_cast<size_t>(picture.height()) * 4);
    const auto put16 = [&bytes](int value) {
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    };
    put16(picture.width());
    put16(picture.height());
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const core::PixelWord p = picture.pixel(x, y);
            bytes.insert(bytes.end(), {p.blue(), p.green(), p.red(), uint8_t{255}});
        }
    }
    return bytes;
}

}  // namespace assetgen
