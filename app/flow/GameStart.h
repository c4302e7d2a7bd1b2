#pragma once

#include <functional>

#include "app/ProgramPaths.h"
#include "app/flow/Missions.h"
#include "app/flow/PlaySceneView.h"
#include "app/flow/PlayTimers.h"
#include "app/flow/Screens.h"
#include "app/layout/HudControls.h"
#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"
#include "engine/PlayScene.h"
#include "platform/EventLoop.h"

namespace app {

// "Start game": from the title it begins a new game; after every mission it
// prepares the next briefing (the same mission after a loss, the next after
// a success) or ends the game when no life is left.
class GameStart {
  public:
    struct Flow {
        std::function<void()> endGame;  // no life left
        std::function<void()> abandon;  // a briefing that cannot be shown
    };

    GameStart(platform::EventLoop& loop, const ProgramPaths& paths, const Missions& missions,
              core::GameState& state, engine::PlayScene& scene, PlaySceneView& view,
              layout::PlayWindowControls& play, layout::HudControls& hud, Screens& screens,
              PlayTimers timers, Flow flow);

    void DIBFadeLabel1Click();

  private:
    void openEngineSound();
    void prepareBriefing(int mission, bool newGame);

    platform::EventLoop& loop_;
    const ProgramPaths& paths_;
    const Missions& missions_;
    core::GameState& state_;
    engine::PlayScene& scene_;
    PlaySceneView& view_;
    layout::PlayWindowControls& play_;
    layout::HudControls& hud_;
    Screens& screens_;
    PlayTimers timers_;
    Flow flow_;
    bool engineSoundMissingShown_ = false;
};

}  // namespace app
