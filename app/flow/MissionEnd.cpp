#include "app/flow/MissionEnd.h"

#include "app/flow/Lives.h"
#include "engine/PlayActions.h"

namespace app {
namespace {

// Passing each of these since the last briefing gives a ship; a score equal
// to one gives nothing.
constexpr int32_t kExtraLifeScores[] = {50000, 100000, 200000};

}  // namespace

MissionEnd::MissionEnd(core::GameState& state, layout::PlayWindowControls& play, StoredMedia& media,
                       PlayTimers timers, MissionPhase& phase, std::function<void()> startGame)
    : state_(state),
      play_(play),
      media_(media),
      timers_(timers),
      phase_(phase),
      startGame_(std::move(startGame)) {}

void MissionEnd::EndMission() {
    if (!state_.missionComplete) --state_.lives;
    ShowLives(state_, play_);
    timers_.StopPlay();
    phase_.running = false;
    ++phase_.endings;
    for (const int32_t threshold : kExtraLifeScores) {
        if (state_.lastLifeScore < threshold && state_.score > threshold) {
            ++state_.lives;
            media_.DIBWavList2.Play(engine::kSoundNewLife);
        }
    }
    ShowLives(state_, play_);
    startGame_();
}

}  // namespace app
