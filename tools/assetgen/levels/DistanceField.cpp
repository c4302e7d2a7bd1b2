#include "levels/DistanceField.h"

#include <algorithm>

namespace assetgen::levels {

std::vector<float> distanceField(int width, int height, const std::vector<uint8_t>& seeds,
                                 float diagonalCost, float cap) {
    const auto w = static_cast<size_t>(width);
    std::vector<float> d(w * static_cast<size_t>(height), cap);
    for (size_t i = 0; i < d.size() && i < seeds.size(); ++i)
        if (seeds[i] != 0) d[i] = 0;

    auto relax = [&](int x, int y, int nx, int ny, float cost) {
        if (nx < 0 || ny < 0 || nx >= width || ny >= height) return;
        float& here = d[static_cast<size_t>(y) * w + static_cast<size_t>(x)];
        const float there = d[static_cast<size_t>(ny) * w + static_cast<size_t>(nx)] + cost;
        here = std::min(here, there);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            relax(x, y, x - 1, y, 1);
            relax(x, y, x, y - 1, 1);
            relax(x, y, x - 1, y - 1, diagonalCost);
            relax(x, y, x + 1, y - 1, diagonalCost);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = width - 1; x >= 0; --x) {
            relax(x, y, x + 1, y, 1);
            relax(x, y, x, y + 1, 1);
            relax(x, y, x + 1, y + 1, diagonalCost);
            relax(x, y, x - 1, y + 1, diagonalCost);
        }
    }
    return d;
}

}  // namespace assetgen::levels
