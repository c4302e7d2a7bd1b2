#include "tools/assetgen/pictures/Paint.h"

#include <algorithm>
#include <cmath>

namespace assetgen::paint {
namespace {

uint8_t channel(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

core::PixelWord solid(Shade s) {
    const core::PixelWord p = core::PixelWord::rgb(channel(s.r), channel(s.g), channel(s.b));
    return p == clear ? core::PixelWord::rgb(1, 1, 1) : p;
}

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double grain(int x, int y, uint32_t seed) {
    // An integer hash (no floating point), so every machine makes the same grain.
    uint32_t h = static_cast<uint32_t>(x) * 0x9E3779B1u ^ static_cast<uint32_t>(y) * 0x85EBCA77u ^
                 seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h >> 8) / static_cast<double>(1u << 24);
}

}  // namespace assetgen::paint
