#pragma once

#include "app/layout/HudControls.h"
#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"
#include "engine/PlayScene.h"

namespace app {

// The one place where the play rules' results reach the controls: after
// each tick the window copies the scene (sprites, messages, the hint) and,
// after the mission tick, the heads-up display.
class PlaySceneView {
  public:
    PlaySceneView(const core::GameState& state, const engine::PlayScene& scene,
                  layout::PlayWindowControls& play, layout::HudControls& hud);

    // Sprites, the big message, the bonus label and the hint line.
    void ShowScene();
    // Bars, score and mission time: the mission tick's display, which
    // freezes when that tick stops.
    void ShowFlightDisplays(uint32_t nowMs);
    void ShowScore();

  private:
    const core::GameState& state_;
    const engine::PlayScene& scene_;
    layout::PlayWindowControls& play_;
    layout::HudControls& hud_;
};

}  // namespace app
