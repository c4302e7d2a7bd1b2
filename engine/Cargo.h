#pragma once

#include "core/GameState.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"

namespace engine {

// Whether the cargo lies in the collector's delivery box.
bool CargoInsideCollector(const core::GameState& s);

// The mission tick's rule for the cargo's state: resting (also once
// delivered) it holds still, towed it follows the tow line, released it is
// tested against the collector.
void ApplyCargoRules(core::GameState& s, PlayScene& scene, PlayActions& actions);

// Gravity, the speed limit and the move of the cargo, every mission tick
// whatever its state; a resting cargo's zero velocity keeps it in place.
void MoveCargo(core::GameState& s, PlayScene& scene);

}  // namespace engine
