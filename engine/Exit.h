#pragma once

#include <cstdint>

#include "core/GameState.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"

namespace engine {

// Once the exit is open: a ship inside the exit's square wins the mission.
// Pays the fuel and time bonuses, stops the flight ticks, shows the success
// text and sets missionComplete; the frame tick then counts down to the end.
// `nowMs` is the same millisecond counter missionStartTick was taken from.
void TestExitEntry(core::GameState& s, PlayScene& scene, PlayActions& actions, uint32_t nowMs);

}  // namespace engine
