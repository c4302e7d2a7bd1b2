#pragma once

#include "core/GameState.h"
#include "engine/PlayActions.h"

namespace engine {

// Counts frame ticks after a loss (the mission ends on the 30th) or a
// success (on the 60th). Returns true when it ended the mission: the frame
// tick must then stop at once.
bool CountDownToMissionEnd(core::GameState& s, PlayActions& actions);

}  // namespace engine
