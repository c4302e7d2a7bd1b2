#include "levels/Noise.h"

#include <cmath>

namespace assetgen::levels {
namespace {

// Quintic fade: its first and second derivatives vanish at the lattice
// points, so no grid lines show in the rock.
double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

uint32_t Noise::hash(int32_t x, int32_t y) const {
    uint32_t h = seed_ * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13 | h >> 19) * 5u + 0xE6546B64u;
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

double Noise::value(double x, double y) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    auto corner = [this](int32_t cx, int32_t cy) {
        return static_cast<double>(hash(cx, cy)) / 2147483647.5 - 1.0;
    };
    const double top = lerp(corner(ix, iy), corner(ix + 1, iy), tx);
    const double bottom = lerp(corner(ix, iy + 1), corner(ix + 1, iy + 1), tx);
    return lerp(top, bottom, ty);
}

double Noise::fractal(double x, double y, int octaves) const {
    double sum = 0;
    double weight = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave is shifted so that the lattices do not line up.
        sum += weight * value(x + i * 17.31, y - i * 9.73);
        total += weight;
        x *= 2;
        y *= 2;
        weight *= 0.5;
    }
    return total > 0 ? sum / total : 0;
}

}  // namespace assetgen::levels
