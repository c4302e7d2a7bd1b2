#pragma once

#include <functional>

#include "app/StoredMedia.h"
#include "app/flow/MissionPhase.h"
#include "app/flow/PlayTimers.h"
#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"

namespace app {

// Books a finished mission: a lost one costs a life, a score that passed
// 50000, 100000 or 200000 since the briefing gives one; then all play ticks
// stop and "Start game" shows what comes next (the same mission, the next
// one, or the end of the game).
class MissionEnd {
  public:
    MissionEnd(core::GameState& state, layout::PlayWindowControls& play, StoredMedia& media,
               PlayTimers timers, MissionPhase& phase, std::function<void()> startGame);

    void EndMission();

  private:
    core::GameState& state_;
    layout::PlayWindowControls& play_;
    StoredMedia& media_;
    PlayTimers timers_;
    MissionPhase& phase_;
    std::function<void()> startGame_;
};

}  // namespace app
