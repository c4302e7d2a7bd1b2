#pragma once

#include "core/GameState.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"
#include "engine/ShipInput.h"

namespace engine {

// The control tick, every 5 ms while a mission flies: skip, engine, turns,
// release, home, quit question, bomb and hook, in that order, each acting on
// the keys held in `input`, and the steps after the question on the keys
// held when it closed. Several may act in one tick. The ship sprite's angle
// is state.shipAngle.
void ControlTick(core::GameState& s, PlayScene& scene, ShipInput input, PlayActions& actions);

// Any key release stops the engine; a Space still held fires it again at the
// next control tick.
void KeyReleased(core::GameState& s);

}  // namespace engine
