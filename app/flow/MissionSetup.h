#pragma once

#include <functional>

#include "app/StoredMedia.h"
#include "app/flow/MissionPhase.h"
#include "app/flow/Missions.h"
#include "app/flow/PlaySceneView.h"
#include "app/flow/PlayTimers.h"
#include "app/flow/Screens.h"
#include "core/GameState.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "engine/PlayScene.h"
#include "platform/EventLoop.h"

namespace app {

// "Start Mission": the briefing becomes a running mission. The mission's row
// of the mission table goes into the game state, its level picture into the
// effect buffer, every object is placed and the three play ticks start.
class MissionSetup {
  public:
    struct Window {
        layout::PlayWindowControls& play;
        layout::HudControls& hud;
        StoredMedia& media;
        effects::EffectFields& effects;
        effects::LevelPictures& pictures;
    };
    struct Flow {
        std::function<void(uint8_t)> requestEffect;
        std::function<void()> endGame;  // after the last mission
        std::function<void()> abandon;  // a level that cannot be loaded
    };

    MissionSetup(platform::EventLoop& loop, const Missions& missions, core::GameState& state,
                 engine::PlayScene& scene, PlaySceneView& view, Window window, Screens& screens,
                 PlayTimers timers, MissionPhase& phase, Flow flow);

    void diblabel5Click();

  private:
    void resetForNewAttempt();
    void placeMission();

    platform::EventLoop& loop_;
    const Missions& missions_;
    core::GameState& state_;
    engine::PlayScene& scene_;
    PlaySceneView& view_;
    Window w_;
    Screens& screens_;
    PlayTimers timers_;
    MissionPhase& phase_;
    Flow flow_;
};

}  // namespace app
