#include "engine/Bonuses.h"

#include <algorithm>
#include <cstdlib>

#include "core/Nearest.h"
#include "engine/Collisions.h"

namespace engine {

int32_t TimeBonus(int32_t missionNumber, int32_t difficulty, uint32_t seconds) {
    // In 64 bits: a clock that ran for days must give 0, not wrap to a fortune.
    const int64_t par = int64_t{missionNumber} * 30 + 10;
    const int64_t bonus = (par - int64_t{seconds}) * difficulty * 200;
    return static_cast<int32_t>(std::max<int64_t>(bonus, 0));
}

int32_t FuelBonus(int32_t fuel, int32_t nextMissionNumber, int32_t difficulty) {
    return fuel / 5 * nextMissionNumber * difficulty;
}

int32_t CargoBonus(double cargoVelX, double cargoVelY, int32_t missionNumber, int32_t difficulty,
                   int32_t cargoDamage) {
    // The cargo's speed is at most 6 per axis, so these stay small.
    const int32_t speed = std::abs(core::nearest(cargoVelY)) + std::abs(core::nearest(cargoVelX));
    return speed * (missionNumber + 100) * difficulty + (kDamageLimit - cargoDamage / difficulty);
}

}  // namespace engine
