#include "tools/assetgen/pictures/DrawnPictures.h"
#include "tools/assetgen/pictures/Paint.h"
#include "tools/assetgen/pictures/Steelwork.h"

namespace assetgen {
namespace {

using paint::Shade;

constexpr int width = 54;
constexpr int height = 46;

constexpr Shade deckSteel{150, 154, 166};
constexpr Shade frameSteel{112, 116, 128};
constexpr Shade hazardYellow{236, 192, 44};
constexpr Shade hazardDark{58, 52, 36};
constexpr Shade lampGreen{90, 255, 110};
constexpr Shade lampRed{255, 70, 60};

// The deck, seen a little from above: a lit top surface, then a front face
// striped yellow and dark, then a shaded lower lip.
void drawDeck(core::Bitmap& picture) {
    constexpr int left = 1, right = 52;
    constexpr int top = 9;
    for (int x = left; x <= right; ++x) {
        const double across = 1.0 - 0.25 * (x - left) / (right - left);  // light from the left
        picture.setPixel(x, top, paint::solid(deckSteel * 1.35 * across));
        picture.setPixel(x, top + 1, paint::solid(deckSteel * 1.15 * across));
        picture.setPixel(x, top + 2, paint::solid(deckSteel * 0.95 * across));
        for (int y = top + 3; y <= top + 6; ++y) {
            const bool stripe = ((x + y) / 3) % 2 == 0;
            picture.setPixel(x, y, paint::solid((stripe ? hazardYellow : hazardDark) * across));
        }
        picture.setPixel(x, top + 7, paint::solid(deckSteel * 0.55 * across));
    }
}

// Beacon posts at both ends of the deck: green on the left, red on the right.
void drawBeacon(core::Bitmap& picture, int x, Shade lamp) {
    const auto put = [&](int px, int py, Shade s) { picture.setPixel(px, py, paint::solid(s)); };
    put(x, 7, frameSteel * 1.2);
    put(x + 1, 7, frameSteel * 0.7);
    put(x, 8, frameSteel * 1.2);
    put(x + 1, 8, frameSteel * 0.7);
    put(x, 5, lamp);
    put(x + 1, 5, lamp * 0.75);
    put(x, 6, lamp * 0.85);
    put(x + 1, 6, lamp * 0.6);
    // A faint glow above the lamp.
    put(x, 4, lamp * 0.45);
    put(x + 1, 4, lamp * 0.35);
}

}  // namespace

core::Bitmap drawLandingPad() {
    core::Bitmap picture(width, height);
    // Back legs and braces behind, then the front legs, the tie girder and the deck.
    steelwork::leg(picture, 16, 17, 15, 42, 2, frameSteel * 0.7);
    steelwork::leg(picture, 36, 17, 37, 42, 2, frameSteel * 0.7);
    steelwork::brace(picture, 9, 21, 43, 38, frameSteel * 0.85);
    steelwork::brace(picture, 44, 21, 10, 38, frameSteel * 0.85);
    steelwork::leg(picture, 6, 16, 3, 43, 3, frameSteel);
    steelwork::leg(picture, 45, 16, 48, 43, 3, frameSteel);
    steelwork::girder(picture, 5, 29, 44, 2, frameSteel);
    drawDeck(picture);
    drawBeacon(picture, 3, lampGreen);
    drawBeacon(picture, 49, lampRed);
    steelwork::footPad(picture, 4, 45, 7, frameSteel);
    steelwork::footPad(picture, 49, 45, 7, frameSteel);
    steelwork::footPad(picture, 16, 43, 4, frameSteel * 0.7);
    steelwork::footPad(picture, 38, 43, 4, frameSteel * 0.7);
    return picture;
}

}  // namespace assetgen
