#pragma once

#include <cstdint>

#include "core/Bitmap.h"

// Small helpers for the pictures that are drawn by code rather than by hand.
namespace assetgen::paint {

// A colour being worked out, channels 0..255 as floating point.
struct Shade {
    double r = 0, g = 0, b = 0;
};

constexpr Shade operator*(Shade s, double f) {
    return {s.r * f, s.g * f, s.b * f};
}
constexpr Shade operator+(Shade a, Shade b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
constexpr Shade mix(Shade a, Shade b, double t) {
    return a * (1 - t) + b * t;
}

// Rounds and clamps to a pixel. Pure black is the see-through key of the
// sprites, so a drawn pixel that would come out black is lifted just above it.
core::PixelWord solid(Shade s);

// The see-through background of the transparent sprites.
inline constexpr core::PixelWord clear{};

double clamp01(double v);
double smoothstep(double edge0, double edge1, double v);

// Repeatable texture noise in [0, 1) for a pixel; the same seed gives the same grain.
double grain(int x, int y, uint32_t seed);

}  // namespace assetgen::paint
