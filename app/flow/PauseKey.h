#pragma once

#include "app/flow/MissionPhase.h"
#include "app/flow/PlayTimers.h"
#include "core/GameState.h"
#include "widgets/AFBlinkLabel.h"

namespace app {

// P pauses and resumes a mission: the three play ticks stop and the red
// "Pause" sign blinks. Outside a mission P does nothing (the key would
// otherwise start the play ticks behind a briefing or the title).
class PauseKey {
  public:
    PauseKey(core::GameState& state, PlayTimers timers, widgets::TAFBlinkLabel& sign,
             const MissionPhase& phase);

    void Toggle();

  private:
    core::GameState& state_;
    PlayTimers timers_;
    widgets::TAFBlinkLabel& sign_;
    const MissionPhase& phase_;
};

}  // namespace app
