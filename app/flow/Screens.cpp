#include "app/flow/Screens.h"

#include <string>

namespace app {

Screens::Screens(core::GameState& state, layout::PlayWindowControls& play, layout::HudControls& hud,
                 dib::TDIBTimer& titleTick)
    : state_(state), play_(play), hud_(hud), titleTick_(titleTick) {}

void Screens::showMenuEntries(bool visible) {
    for (dib::TDIBFadeLabel* entry :
         {&play_.DIBFadeLabel1, &play_.DIBFadeLabel2, &play_.DIBFadeLabel3, &play_.DIBFadeLabel4,
          &play_.DIBFadeLabel5, &play_.DIBFadeLabel6, &play_.DIBFadeLabel7, &play_.DIBFadeLabel8,
          &play_.DIBFadeLabel9})
        entry->SetVisible(visible);
    play_.Label9.SetVisible(visible);
    play_.Label11.SetVisible(visible);
}

void Screens::showHudBars(bool visible) {
    hud_.scorelabel.SetVisible(visible);
    hud_.damageBar.SetVisible(visible);
    hud_.BoxDam.SetVisible(visible);
    hud_.fuelbar.SetVisible(visible);
    hud_.Label7.SetVisible(visible);
}

void Screens::showBriefingControls(bool visible) {
    play_.Label8.SetVisible(visible);
    play_.Label4.SetVisible(visible);
    play_.Shape1.SetVisible(visible);
    play_.diblabel5.SetVisible(visible);
}

// What both menu views share: the entries and the key help over the menu
// panel, the credits running, no minimap, no bars, no briefing.
void Screens::showMenu() {
    state_.menuMode = true;
    hud_.dxContainer1.Hide();
    showHudBars(false);
    hud_.scorelabel.SetVisible(finalScoreShown_);
    hud_.Label7.SetVisible(finalScoreShown_);
    showBriefingControls(false);
    play_.PackName.Hide();
    play_.PackChoice.SetVisible(packChoiceOffered_);
    play_.Backmenu.Show();
    hud_.Banner1.SetRun(true);
    hud_.Banner1.Show();
    showMenuEntries(true);
}

void Screens::ShowTitleMenu() {
    showMenu();
    play_.DIBImage8.Show();
    titleTick_.SetEnabled(false);
}

void Screens::ShowGameOverMenu() {
    showMenu();
    titleTick_.SetEnabled(true);
}

void Screens::ShowFinalScore(int32_t score) {
    finalScoreShown_ = true;
    hud_.scorelabel.SetCaption(std::to_string(score));
    hud_.scorelabel.Show();
    hud_.Label7.Show();
}

void Screens::OfferPackChoice(bool offered) {
    packChoiceOffered_ = offered;
    if (state_.menuMode) play_.PackChoice.SetVisible(offered);
}

void Screens::SetPackName(const std::string& name) {
    play_.PackName.SetCaption(name);
}

void Screens::ShowBriefing() {
    finalScoreShown_ = false;
    play_.PackChoice.Hide();
    play_.PackName.SetVisible(!play_.PackName.Caption().empty());
    hud_.dxContainer1.Hide();
    showMenuEntries(false);
    showHudBars(true);
    showBriefingControls(true);
    play_.Backmenu.Show();
}

void Screens::ShowPlayView() {
    showBriefingControls(false);
    play_.PackName.Hide();
    play_.Backmenu.Hide();
    hud_.dxContainer1.Show();
}

}  // namespace app
