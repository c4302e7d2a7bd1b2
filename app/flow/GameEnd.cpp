#include "app/flow/GameEnd.h"

#include <string>

namespace app {
namespace {

constexpr int32_t kLifeBonus = 10000;

}  // namespace

GameEnd::GameEnd(core::GameState& state, const ChosenMissions& missions, ui::Form& window,
                 layout::UploadPanelControls& upload, Screens& screens)
    : state_(state), missions_(missions), window_(window), upload_(upload), screens_(screens) {}

void GameEnd::EndGame() {
    // After a lost game no life is left and the bonus is 0.
    state_.score += state_.lives * state_.difficulty * kLifeBonus;
    if (state_.score > 0 && !missions_.pack()) {
        upload_.Edit1.SetText("");
        upload_.dxContainer2.Show();
        upload_.dxContainer2.BringToFront();
        upload_.Label_score.SetCaption(std::to_string(state_.score));
        window_.SetFocus(&upload_.Edit1);
    }
    screens_.ShowGameOverMenu();
    if (missions_.pack()) screens_.ShowFinalScore(state_.score);
    window_.Loop().backend().raiseWindow();
}

void GameEnd::dxButton2Click() {
    upload_.dxButton1.SetEnabled(false);
    upload_.dxContainer2.Hide();
}

}  // namespace app
