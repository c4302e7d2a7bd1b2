#include "app/flow/QuitQuestion.h"

namespace app {

QuitQuestion::QuitQuestion(platform::EventLoop& loop, core::GameState& state, Screens& screens,
                           PlayTimers timers, MissionPhase& phase)
    : loop_(loop), state_(state), screens_(screens), timers_(timers), phase_(phase) {}

void QuitQuestion::Ask() {
    timers_.titleTick.SetEnabled(false);
    timers_.controlTick.SetEnabled(false);
    const uint32_t endingsBefore = phase_.endings;
    const platform::BoxButton answer = loop_.askYesNo("Abandon current game ?", "Quit game");
    // The ticks ran on behind the question. If the last ship was lost
    // meanwhile the game is over and its score on the upload panel: Yes
    // would wipe the mission from the record, so it only closes the box.
    if (answer == platform::BoxButton::Yes) {
        if (!state_.menuMode) Abandon();
        return;
    }
    // If only the mission ended meanwhile, the next briefing is up, and
    // restarting the play ticks would revive a finished mission over it. No
    // then only closes the box.
    if (phase_.endings != endingsBefore) return;
    timers_.StartPlay();
    screens_.ShowBriefing();
    screens_.ShowPlayView();
    timers_.titleTick.SetEnabled(false);
}

void QuitQuestion::Abandon() {
    screens_.ShowTitleMenu();
    state_.missionNumber = 0;
    timers_.StopPlay();
    timers_.titleTick.SetEnabled(false);
    phase_.running = false;
}

}  // namespace app
