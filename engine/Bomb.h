#pragma once

#include "core/GameState.h"
#include "engine/PlayScene.h"

namespace engine {

// Drops the one bomb from the ship's world position with the ship's velocity
// and shows it. The caller checks that no bomb is in flight.
void DropBomb(core::GameState& s, PlayScene& scene);

// One mission tick of the bomb's fall under its own gravity.
void BombFlight(core::GameState& s, PlayScene& scene);

}  // namespace engine
