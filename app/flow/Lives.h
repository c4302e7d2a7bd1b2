#pragma once

#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"

namespace app {

// The spare ships beside the play window: icon k (1 to 5) shows while more
// than k lives are left, so three lives show two icons and at most five show.
void ShowLives(const core::GameState& state, layout::PlayWindowControls& play);

}  // namespace app
