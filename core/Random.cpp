#include "Random.h"

namespace core {
namespace {
uint32_t seed = 0;
}

int32_t Random(int32_t n) {
    seed = seed * 134775813u + 1u;  // unsigned: wrap-around is the algorithm
    const uint64_t product = uint64_t{seed} * uint64_t{static_cast<uint32_t>(n)};
    return static_cast<int32_t>(product >> 32);
}

void Randomize(const TimeOfDay& utcNow) {
    seed = utcNow.millisecondsSinceMidnight();
}

uint32_t RandSeed() {
    return seed;
}

void SetRandSeed(uint32_t value) {
    seed = value;
}

}  // namespace core
