#include "app/flow/MissionEnd.h"

#include "app/flow/Lives.h"

namespace app {

MissionEnd::MissionEnd(core::GameState& state, layout::PlayWindowControls& play, PlayTimers timers,
                       MissionPhase& phase, std::function<void()> startGame)
    : state_(state),
      play_(play),
      timers_(timers),
      phase_(phase),
      startGame_(std::move(startGame)) {}

void MissionEnd::EndMission() {
    if (!state_.missionComplete) --state_.lives;
    ShowLives(state_, play_);
    timers_.StopPlay();
    phase_.running = false;
    ++phase_.endings;
    startGame_();
}

}  // namespace app
