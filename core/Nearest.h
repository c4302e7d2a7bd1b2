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
    // The default floating-point rounding, which the program never changes,
    // is exactly this rule, and one instruction.
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (r > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

}  // namespace core
