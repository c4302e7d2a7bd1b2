#pragma once

#include <cstdint>

#include "core/GameState.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"

namespace engine {

// The mission tick, every 100 ms while a mission flies: hint line, flight,
// sprite placements, cargo, bomb, exit, and the tick count that paces the
// enemy's beam. The window writes the time, bars and score from the state
// afterwards (TimeText gives the time's text). `nowMs` is the millisecond
// counter that missionStartTick was taken from.
void MissionTick(core::GameState& s, PlayScene& scene, PlayActions& actions, uint32_t nowMs);

}  // namespace engine
