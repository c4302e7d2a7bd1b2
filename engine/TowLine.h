#pragma once

#include "core/GameState.h"
#include "engine/PlayScene.h"

namespace engine {

// One mission tick of a towed cargo: beyond the line's slack the line pulls
// the cargo towards the ship and the ship towards the cargo (the ship's share
// moves it from the next tick on), and the cargo's sideways swing is damped.
// Positions are compared as the sprites stand in the play window.
void PullTowLine(core::GameState& s, const PlayScene& scene);

}  // namespace engine
