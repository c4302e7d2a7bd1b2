#include "app/flow/PauseKey.h"

namespace app {

PauseKey::PauseKey(core::GameState& state, PlayTimers timers, widgets::TAFBlinkLabel& sign,
                   const MissionPhase& phase)
    : state_(state), timers_(timers), sign_(sign), phase_(phase) {}

void PauseKey::Toggle() {
    if (!phase_.running) return;
    if (!state_.paused) {
        timers_.StopPlay();
        state_.paused = true;
        sign_.SetActive(true);
        sign_.SetFontColor(core::colors::red);
        sign_.Show();
    } else {
        timers_.StartPlay();
        state_.paused = false;
        sign_.SetActive(false);
        sign_.Hide();
    }
}

}  // namespace app
