#include "tools/assetgen/pictures/Steelwork.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace assetgen::steelwork {
namespace {

void put(core::Bitmap& picture, int x, int y, paint::Shade s) {
    if (picture.contains(x, y)) picture.setPixel(x, y, paint::solid(s));
}

}  // namespace

void leg(core::Bitmap& picture, int topX, int topY, int footX, int footY, int thickness,
         paint::Shade base) {
    for (int y = topY; y <= footY; ++y) {
        const double t = footY == topY ? 0 : static_cast<double>(y - topY) / (footY - topY);
        const int left = static_cast<int>(std::lround(topX + (footX - topX) * t));
        for (int i = 0; i < thickness; ++i) {
            const double light = thickness == 1 ? 1.0 : 1.3 - 0.65 * i / (thickness - 1);
            put(picture, left + i, y, base * light);
        }
    }
}

void brace(core::Bitmap& picture, int x0, int y0, int x1, int y1, paint::Shade base) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
        const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
        const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
        put(picture, x, y, base * 1.15);
        put(picture, x, y + 1, base * 0.8);
    }
}

void girder(core::Bitmap& picture, int x, int y, int w, int h, paint::Shade base) {
    for (int row = 0; row < h; ++row) {
        const double light = row == 0 ? 1.35 : row == h - 1 ? 0.65 : 1.0;
        for (int col = 0; col < w; ++col) put(picture, x + col, y + row, base * light);
    }
}

void footPad(core::Bitmap& picture, int centreX, int bottom, int w, paint::Shade base) {
    girder(picture, centreX - w / 2, bottom - 1, w, 2, base);
}

}  // namespace assetgen::steelwork
