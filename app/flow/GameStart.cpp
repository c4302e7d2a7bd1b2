#include "app/flow/GameStart.h"

#include <exception>

#include "app/flow/Briefings.h"

namespace app {

GameStart::GameStart(platform::EventLoop& loop, const ProgramPaths& paths,
                     const Missions& missions, core::GameState& state, engine::PlayScene& scene,
                     PlaySceneView& view, layout::PlayWindowControls& play,
                     layout::HudControls& hud, Screens& screens, PlayTimers timers, Flow flow)
    : loop_(loop),
      paths_(paths),
      missions_(missions),
      state_(state),
      scene_(scene),
      view_(view),
      play_(play),
      hud_(hud),
      screens_(screens),
      timers_(timers),
      flow_(std::move(flow)) {}

void GameStart::DIBFadeLabel1Click() {
    const bool newGame = state_.menuMode;
    if (newGame) {
        state_.missionNumber = 0;
        state_.lives = 3;
        state_.score = 0;
        scene_.enemyVisible = false;
        view_.ShowScene();
    }
    if (state_.lives == 0) {
        flow_.endGame();
        screens_.ShowTitleMenu();
        return;
    }
    state_.enemyGone = true;
    state_.menuMode = false;
    play_.DIBImage8.Hide();
    hud_.Banner1.SetRun(false);
    hud_.Banner1.Hide();
    timers_.titleTick.SetEnabled(false);
    openEngineSound();
    state_.lastLifeScore = state_.score;
    // Mission 1's briefing is prepared while missionNumber is still 0; a
    // retry of mission 1 (and the end after the last mission) keeps the last
    // briefing, its minimap trail included.
    const int mission = state_.missionNumber;
    if (mission == 0 || (mission >= 2 && mission <= missions_.Count())) {
        try {
            prepareBriefing(mission == 0 ? 1 : mission, mission == 0);
        } catch (const std::exception& error) {
            // Without its picture the briefing cannot be flown: say why and
            // go back to the title rather than leave a screen nothing answers.
            loop_.queueMessage(error.what());
            flow_.abandon();
            return;
        }
    }
    screens_.ShowBriefing();
}

void GameStart::openEngineSound() {
    // Opened afresh at every briefing and played once. Without the file the
    // game is still playable, in silence: the box says so once per run.
    try {
        loop_.audio().openEngineSound(ShippedFile(paths_, "engine1.wav"));
        loop_.audio().playEngineSound();
    } catch (const std::exception& error) {
        if (engineSoundMissingShown_) return;
        engineSoundMissingShown_ = true;
        loop_.queueMessage(error.what());
    }
}

void GameStart::prepareBriefing(int mission, bool newGame) {
    core::Bitmap picture = missions_.Cave(mission);
    play_.Label8.SetCaption(BriefingHeading(mission));
    play_.Label4.SetCaption(core::BriefingText(missions_.Briefing(mission)));
    if (newGame) hud_.Image3.Show();
    hud_.Image3.SetPicture(std::move(picture));
    hud_.Image3.SetStretch(true);
}

}  // namespace app
