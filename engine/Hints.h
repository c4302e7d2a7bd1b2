#pragma once

#include <string>

#include "core/GameState.h"

namespace engine {

inline constexpr const char* kHintFindExit =
    "Find the red exit point and enter it to finish mission ";

// Rewrites `hint` with the advice for the ship's situation. Later rules win
// over earlier ones; when none applies the hint keeps its last text.
void ChooseHint(const core::GameState& s, std::string& hint);

}  // namespace engine
