#pragma once

#include "core/GameState.h"
#include "effects/LevelPictures.h"
#include "engine/PlayActions.h"

namespace engine {

// The enemy's beam: six slanted lines in random bluish purples, drawn over
// the level picture on even mission ticks, and a spark per line every 50th
// mission tick. The lines pass the rock test, so until the next hand-over
// they hurt like rock. Nothing while the enemy is gone.
void DrawEnemyBeam(const core::GameState& s, effects::LevelPictures& pictures,
                   PlayActions& actions);

// The red tow line from the ship to the middle of the cargo, while the
// cargo hangs on it. Red is not rock.
void DrawTowLine(const core::GameState& s, effects::LevelPictures& pictures);

}  // namespace engine
