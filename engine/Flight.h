#pragma once

#include "core/GameState.h"

namespace engine {

// The engine's push for the ship's heading, added to the scroll velocities
// (positive scrollVelY lifts the ship, positive scrollVelX moves it left).
void ApplyEngineForce(core::GameState& s);

// Engine force (while the engine fires), gravity and the vertical move.
void FlyVertically(core::GameState& s);

// Beginner's horizontal damping, the speed limit and the horizontal move.
void FlyHorizontally(core::GameState& s);

}  // namespace engine
