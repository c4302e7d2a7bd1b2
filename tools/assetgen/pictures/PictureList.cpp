#include "tools/assetgen/pictures/PictureList.h"

#include <stdexcept>

#include "tools/assetgen/pictures/DrawnPictures.h"
#include "tools/assetgen/pictures/PixelArt.h"

namespace assetgen {
namespace {

void add(std::vector<ListedPicture>& list, std::string name, int width, int height,
         bool transparent, bool fixedMode, core::CanvasColor key, core::Bitmap picture) {
    if (picture.width() != width || picture.height() != height)
        throw std::runtime_error("the picture " + name + " is " + std::to_string(picture.width()) +
                                 " x " + std::to_string(picture.height()) + ", the list needs " +
                                 std::to_string(width) + " x " + std::to_string(height));
    list.push_back({std::move(name), transparent, fixedMode, key, std::move(picture)});
}

}  // namespace

std::vector<ListedPicture> drawPictureList(const std::filesystem::path& sources) {
    const auto art = [&sources](const char* file) { return loadPixelArt(sources / file); };
    constexpr bool transparent = true, opaque = false;
    constexpr bool fixed = true, automatic = false;
    const core::CanvasColor black = core::colors::black;
    // The menu panel is never drawn see-through; its key is only carried along.
    const core::CanvasColor panelKey = core::CanvasColor::rgb(6, 6, 6);

    std::vector<ListedPicture> list;
    add(list, "Shipet", 14, 14, transparent, fixed, black, art("ship.txt"));
    add(list, "Boxen", 16, 16, transparent, automatic, black, art("cargo-ball.txt"));
    add(list, "boxramp", 54, 78, transparent, automatic, black, drawCollectorTank());
    add(list, "Mainmenuback", 200, 150, opaque, automatic, panelKey, drawMenuPanel());
    add(list, "theexit", 71, 77, transparent, automatic, black, drawExitGate());
    add(list, "Bomb", 6, 10, transparent, automatic, black, art("bomb.txt"));
    add(list, "Landing", 54, 46, transparent, automatic, black, drawLandingPad());
    add(list, "Enemy", 16, 16, transparent, automatic, black, art("beam-gun.txt"));
    // The title screen's dimmer: a black square stretched over the play window.
    add(list, "TDIBImagesItem", 16, 16, opaque, automatic, black,
        core::Bitmap(16, 16, core::PixelWord::rgb(0, 0, 0)));
    return list;
}

}  // namespace assetgen
