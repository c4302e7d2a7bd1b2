#include <algorithm>
#include <cmath>

#include "tools/assetgen/pictures/DrawnPictures.h"
#include "tools/assetgen/pictures/Paint.h"
#include "tools/assetgen/pictures/Steelwork.h"

namespace assetgen {
namespace {

using paint::Shade;

constexpr int width = 54;
constexpr int height = 78;

// The tank is an upright cylinder seen a little from above: an elliptic
// opening at the top, the curved front wall, and a rounded bottom edge.
constexpr double axisX = 26.5;
constexpr double radius = 24.0;
constexpr double openingY = 7.0;
constexpr double bottomY = 50.0;
constexpr double tilt = 5.5;  // half height of the ellipses

constexpr Shade steel{150, 154, 166};
constexpr Shade frameSteel{112, 116, 128};
constexpr Shade hazardYellow{236, 192, 44};
constexpr Shade hazardDark{58, 52, 36};
constexpr Shade plate{58, 62, 74};
constexpr Shade arrow{110, 226, 110};

// Brightness of the wall at horizontal position u (-1 left edge .. 1 right
// edge): light comes from the upper left, with a soft highlight band.
double wallLight(double u) {
    const double facing = std::sqrt(std::max(0.0, 1 - u * u));
    const double diffuse = std::max(0.0, -0.5 * u + 0.86 * facing);
    const double highlight = std::exp(-std::pow((u + 0.42) / 0.16, 2));
    return 0.38 + 0.62 * diffuse + 0.35 * highlight;
}

// How far below the top of the front wall the pixel lies, measured along the
// wall, so bands drawn at a fixed depth follow its curve.
double depthOnWall(double u, int y) {
    return y - (openingY + tilt * std::sqrt(std::max(0.0, 1 - u * u)));
}

Shade wall(double u, int x, int y) {
    const double depth = depthOnWall(u, y);
    Shade s = steel * wallLight(u);
    // A yellow and dark striped band under the rim marks the drop zone.
    if (depth >= 2 && depth < 6) {
        const bool stripe = ((x + static_cast<int>(depth)) / 3) % 2 == 0;
        s = (stripe ? hazardYellow : hazardDark) * wallLight(u);
    }
    // Two raised hoops round the tank: lit top edge, shaded bottom edge.
    for (double hoop : {20.0, 34.0}) {
        if (depth >= hoop && depth < hoop + 1) s = s * 1.25;
        if (depth >= hoop + 1 && depth < hoop + 2) s = s * 0.62;
    }
    // The bottom edge rounds away from the light.
    const double toBottom = (bottomY + tilt * std::sqrt(std::max(0.0, 1 - u * u))) - y;
    if (toBottom < 2) s = s * 0.7;
    return s;
}

// A small plate on the front wall with a green arrow pointing down into the tank.
bool paintPlatePixel(core::Bitmap& picture, int x, int y) {
    const int left = 21, top = 27, w = 12, h = 10;
    if (x < left || x >= left + w || y < top || y >= top + h) return false;
    const int col = x - left, row = y - top;
    Shade s = plate;
    if (row == 0 || col == 0) s = plate * 1.5;
    if (row == h - 1 || col == w - 1) s = plate * 0.6;
    // The arrow: a stem, then a head that narrows to a point.
    const int fromMiddle = std::abs(2 * col - (w - 1));  // 1, 3, 5 ... from the middle pair
    const bool stem = row >= 2 && row <= 4 && fromMiddle <= 1;
    const bool head = row >= 5 && row <= 7 && fromMiddle <= 2 * (7 - row) + 1;
    if (stem || head) s = arrow;
    picture.setPixel(x, y, paint::solid(s));
    return true;
}

void drawTank(core::Bitmap& picture) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5 - axisX) / radius;
            if (std::abs(u) > 1) continue;
            const double arc = tilt * std::sqrt(1 - u * u);
            const double innerU = (x + 0.5 - axisX) / (radius - 2.5);
            const double innerArc = (tilt - 1.5) * std::sqrt(std::max(0.0, 1 - innerU * innerU));
            const bool inOpening = y + 0.5 >= openingY - arc && y + 0.5 <= openingY + arc;
            const bool inHole = std::abs(innerU) < 1 && y + 0.5 >= openingY - innerArc &&
                                y + 0.5 <= openingY + innerArc;
            if (inHole) {
                // The far inner wall shows in the upper half of the opening;
                // the lower half looks down into the dark, and is see-through
                // so the cargo stays visible until it drops behind the front wall.
                if (y + 0.5 < openingY)
                    picture.setPixel(x, y, paint::solid(steel * (0.28 + 0.1 * (1 - std::abs(u)))));
                else
                    picture.setPixel(x, y, paint::clear);
                continue;
            }
            if (inOpening) {
                // The rim: a thick lip lit from above, brighter at the back.
                const double back = y + 0.5 < openingY ? 1.1 : 1.0;
                picture.setPixel(x, y, paint::solid(steel * (wallLight(u) * 0.5 + 0.75) * back));
                continue;
            }
            const bool onWall = y + 0.5 > openingY && y + 0.5 <= bottomY + arc;
            if (!onWall) continue;
            if (paintPlatePixel(picture, x, y)) continue;
            picture.setPixel(x, y, paint::solid(wall(u, x, y)));
        }
    }
}

}  // namespace

core::Bitmap drawCollectorTank() {
    core::Bitmap picture(width, height);
    // Back legs first, then the cross braces between the front legs, then the
    // tank, and the front legs and cradle over it all.
    steelwork::leg(picture, 15, 52, 14, 74, 2, frameSteel * 0.7);
    steelwork::leg(picture, 37, 52, 38, 74, 2, frameSteel * 0.7);
    steelwork::brace(picture, 9, 60, 43, 72, frameSteel * 0.85);
    steelwork::brace(picture, 44, 60, 10, 72, frameSteel * 0.85);
    drawTank(picture);
    steelwork::leg(picture, 6, 42, 3, 75, 3, frameSteel);
    steelwork::leg(picture, 45, 42, 48, 75, 3, frameSteel);
    steelwork::girder(picture, 5, 56, 44, 3, frameSteel);
    steelwork::footPad(picture, 4, 77, 7, frameSteel);
    steelwork::footPad(picture, 49, 77, 7, frameSteel);
    steelwork::footPad(picture, 15, 75, 4, frameSteel * 0.7);
    steelwork::footPad(picture, 39, 75, 4, frameSteel * 0.7);
    return picture;
}

}  // namespace assetgen
