#include <algorithm>
#include <cmath>

#include "tools/assetgen/pictures/DrawnPictures.h"
#include "tools/assetgen/pictures/Paint.h"

namespace assetgen {
namespace {

using paint::Shade;

constexpr int width = 200;
constexpr int height = 150;

// The panel is stretched to 289 x 345 on screen, more than twice as much
// down as across, so its horizontal edges are drawn half as thick as its
// vertical ones to look equally wide once shown.
constexpr int bevelAcross = 3;  // left and right bevel, columns
constexpr int bevelDown = 2;    // top and bottom bevel, rows

constexpr Shade fieldTop{30, 33, 56};
constexpr Shade fieldBottom{11, 12, 24};
constexpr Shade bevelLight{104, 112, 146};
constexpr Shade bevelDark{20, 21, 32};
constexpr Shade grooveDark{8, 8, 14};
constexpr Shade grooveLight{46, 50, 72};

// The dark field: a gradient from a deep blue-grey at the top to near black
// at the bottom, a soft lighter glow behind the heading, and fine grain so
// the large stretched area does not look flat.
Shade field(int x, int y) {
    const double down = static_cast<double>(y) / (height - 1);
    Shade s = paint::mix(fieldTop, fieldBottom, paint::smoothstep(0.0, 1.0, down));
    const double dx = (x - width / 2.0) / (width * 0.55);
    const double dy = (y - height * 0.18) / (height * 0.45);
    const double glow = std::exp(-(dx * dx + dy * dy) * 2.2);
    s = s + Shade{6, 8, 14} * glow;
    const double grain = paint::grain(x, y, 3) - 0.5;
    return s + Shade{1, 1, 1.6} * (grain * 5);
}

// The border, outside in: a black line, the bevel, and a two-line groove.
// Each layer's thickness is given across (left, right) and down (top, bottom).
struct Layer {
    int across;
    int down;
};
constexpr Layer layers[] = {{1, 1}, {bevelAcross, bevelDown}, {1, 1}, {1, 1}};
constexpr int fieldLayer = 4;

// Where a pixel lies in the border: its layer and how far into that layer
// (0..1), and whether it belongs to a lit side (top or left).
struct BorderPlace {
    int layer = fieldLayer;
    double depth = 0;
    bool lit = false;
};

BorderPlace placeFromSide(int distance, bool down, bool lit) {
    for (int i = 0; i < fieldLayer; ++i) {
        const int thickness = down ? layers[i].down : layers[i].across;
        if (distance < thickness) return {i, static_cast<double>(distance) / thickness, lit};
        distance -= thickness;
    }
    return {fieldLayer, 0, lit};
}

// The outermost layer wins; where two sides meet, the mitre runs along the
// corner diagonal (the shallower depth wins).
BorderPlace borderPlace(int x, int y) {
    const BorderPlace sides[] = {placeFromSide(x, false, true), placeFromSide(y, true, true),
                                 placeFromSide(width - 1 - x, false, false),
                                 placeFromSide(height - 1 - y, true, false)};
    BorderPlace best = sides[0];
    for (const BorderPlace& side : sides)
        if (side.layer + side.depth < best.layer + best.depth) best = side;
    return best;
}

}  // namespace

core::Bitmap drawMenuPanel() {
    core::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BorderPlace place = borderPlace(x, y);
            core::PixelWord p;
            switch (place.layer) {
                case 0:
                    // The outer line is pure black, which also makes the first
                    // stored pixel black as in every automatically keyed picture.
                    p = core::PixelWord::rgb(0, 0, 0);
                    break;
                case 1:
                    p = paint::solid(place.lit
                                         ? paint::mix(bevelLight, bevelLight * 0.6, place.depth)
                                         : paint::mix(bevelDark, bevelDark * 1.3, place.depth));
                    break;
                case 2:
                    p = paint::solid(place.lit ? grooveDark : grooveLight);
                    break;
                case 3:
                    p = paint::solid(place.lit ? grooveLight : grooveDark);
                    break;
                default:
                    p = paint::solid(field(x, y));
            }
            picture.setPixel(x, y, p);
        }
    }
    return picture;
}

}  // namespace assetgen
