#include "tools/assetgen/pictures/IconStep.h"

#include <array>
#include <filesystem>
#include <stdexcept>

#include "platform/Png.h"
#include "tools/assetgen/pictures/PixelArt.h"

namespace assetgen {
namespace {

constexpr uint32_t kSeeThrough = 0xFF00FF;
constexpr std::array kSizes{48, 64, 128, 256};

// Nearest-neighbour enlargement with the alpha the desktop needs: the
// see-through colour becomes fully transparent, everything else opaque.
core::Bitmap enlarged(const core::Bitmap& art, int size) {
    const int factor = size / art.width();
    core::Bitmap icon(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t rgb = art.pixel(x / factor, y / factor).value & 0xFFFFFFu;
            icon.setPixel(x, y, core::PixelWord{rgb == kSeeThrough ? 0u : 0xFF000000u | rgb});
        }
    }
    return icon;
}

}  // namespace

int runIcon(const std::vector<std::string>& options) {
    if (options.size() != 4 || options[0] != "--source" || options[2] != "--out")
        throw std::runtime_error("usage: assetgen icon --source FILE --out DIR");
    const core::Bitmap art = loadPixelArt(options[1]);
    if (art.width() != art.height())
        throw std::runtime_error(options[1] + ": the icon must be square");
    const std::filesystem::path out = options[3];
    std::filesystem::create_directories(out);
    for (const int size : kSizes) {
        if (size % art.width() != 0)
            throw std::runtime_error(options[1] + ": " + std::to_string(art.width()) +
                                     " pixels do not enlarge to " + std::to_string(size) +
                                     " by a whole factor");
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        platform::saveTransparentPng(enlarged(art, size), (out / name).string());
    }
    return 0;
}

}  // namespace assetgen
