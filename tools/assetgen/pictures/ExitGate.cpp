#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/pictures/DrawnPictures.h"
#include "tools/assetgen/pictures/Paint.h"

namespace assetgen {
namespace {

using paint::Shade;

constexpr int width = 71;
constexpr int height = 77;
constexpr double centreX = 35;
constexpr double centreY = 38;
// Reach of the four points from the centre, and how thin they are: the lower
// the power, the deeper the sides curve in between the points.
constexpr double reachAcross = 34.6;
constexpr double reachDown = 37.6;
constexpr double pointPower = 0.55;

constexpr Shade white{255, 250, 225};
constexpr Shade yellow{255, 214, 90};
constexpr Shade orange{255, 120, 30};
constexpr Shade red{222, 28, 22};
constexpr Shade deepRed{120, 4, 12};

// 0 at the centre of the star, 1 on its outline, above 1 outside.
double starDistance(double dx, double dy) {
    return std::pow(std::abs(dx) / reachAcross, pointPower) +
           std::pow(std::abs(dy) / reachDown, pointPower);
}

// The star's body: white-hot in the middle through yellow and orange to red
// points that darken towards their tips. Rings running parallel to the
// outline, like a tunnel of nested stars, make it read as a gate to fly into.
Shade body(double d) {
    Shade s;
    if (d < 0.16)
        s = paint::mix(white, yellow, d / 0.16);
    else if (d < 0.40)
        s = paint::mix(yellow, orange, (d - 0.16) / 0.24);
    else if (d < 0.68)
        s = paint::mix(orange, red, (d - 0.40) / 0.28);
    else
        s = paint::mix(red, deepRed, (d - 0.68) / 0.32);
    const double rings = 0.78 + 0.22 * std::cos((d - 0.16) * 2 * std::numbers::pi * 4.5);
    return s * (d < 0.16 ? 1.0 : rings);
}

// A glow around the star that fades out before the picture's edges, so it
// ends on pure black instead of being cut off square.
Shade halo(double d, int x, int y) {
    const int toEdge = std::min(std::min(x, width - 1 - x), std::min(y, height - 1 - y));
    return Shade{190, 16, 30} * (std::exp(-(d - 1) * 9.0) * paint::clamp01(toEdge / 6.0));
}

}  // namespace

core::Bitmap drawExitGate() {
    core::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d = starDistance(x - centreX, y - centreY);
            if (d <= 1) {
                picture.setPixel(x, y, paint::solid(body(d)));
                continue;
            }
            const Shade glow = halo(d, x, y);
            // Halo too dim to matter is left see-through, giving a clean edge.
            picture.setPixel(x, y, glow.r < 24 ? paint::clear : paint::solid(glow));
        }
    }
    return picture;
}

}  // namespace assetgen
