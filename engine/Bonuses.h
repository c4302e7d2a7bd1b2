#pragma once

#include <cstdint>

namespace engine {

// Time bonus for entering the exit `seconds` whole seconds after the mission
// started: every mission has 30 s more par time than the one before, and
// each second under par is worth 200 per difficulty step. Never below 0.
int32_t TimeBonus(int32_t missionNumber, int32_t difficulty, uint32_t seconds);

// Fuel bonus: a fifth of the fuel left, times the number of the mission that
// comes next (the exit has already counted the mission as won).
int32_t FuelBonus(int32_t fuel, int32_t nextMissionNumber, int32_t difficulty);

// Cargo bonus at delivery: speed into the collector (rounded components,
// each taken absolute) pays per mission and difficulty, and an intact cargo
// pays up to 1500, damage counting less on the harder levels.
int32_t CargoBonus(double cargoVelX, double cargoVelY, int32_t missionNumber, int32_t difficulty,
                   int32_t cargoDamage);

}  // namespace engine
