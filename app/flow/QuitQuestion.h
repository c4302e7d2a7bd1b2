#pragma once

#include "app/flow/MissionPhase.h"
#include "app/flow/PlayTimers.h"
#include "app/flow/Screens.h"
#include "core/GameState.h"
#include "platform/EventLoop.h"

namespace app {

// Escape during a mission: "Abandon current game ?". The frame and mission
// ticks run on while the question is open, so the ship keeps falling.
class QuitQuestion {
  public:
    QuitQuestion(platform::EventLoop& loop, core::GameState& state, Screens& screens,
                 PlayTimers timers, MissionPhase& phase);

    void Ask();
    // The game is given up: back to the title menu with every timer stopped.
    // Also where a mission that cannot be set up returns to.
    void Abandon();

  private:
    platform::EventLoop& loop_;
    core::GameState& state_;
    Screens& screens_;
    PlayTimers timers_;
    MissionPhase& phase_;
};

}  // namespace app
