#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace core {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4). Every position update of the game goes through it, which is why a
// velocity of magnitude 0.5 or less moves nothing. Values beyond the 32-bit
// range saturate instead of overflowing.
inline int32_t nearest(double v) {
    double r = std::floor(v);
    const double diff = v - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    if (!(r >= std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (r > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

}  // namespace core
