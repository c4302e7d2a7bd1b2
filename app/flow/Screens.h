#pragma once

#include "app/layout/HudControls.h"
#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"
#include "dib/cDIBTimer.h"

namespace app {

// The window's four screens are made by showing and hiding controls; these
// are the routines that switch between them. Each only shows, hides and sets
// the few values named, so any flow may call them in any order.
class Screens {
  public:
    Screens(core::GameState& state, layout::PlayWindowControls& play, layout::HudControls& hud,
            dib::TDIBTimer& titleTick);

    // The title menu: the veil, the menu entries and the key help, the
    // credits scrolling; the play timers are the caller's business.
    void ShowTitleMenu();
    // The briefing: the mission heading and text over the menu panel, the
    // score and the bars of the last mission still showing.
    void ShowBriefing();
    // Play: the briefing goes, the minimap comes.
    void ShowPlayView();
    // The menu at the end of a game. Unlike the title menu it leaves the veil
    // as it is and starts the title tick (its bursts come back, its world is
    // not loaded again); the caller brings the window to the front.
    void ShowGameOverMenu();
    // The score of a game that has no upload (a pack's) stays on the menus,
    // with its caption, until the next briefing.
    void ShowFinalScore(int32_t score);
    // Whether the title offers a choice of missions (packs are there).
    void OfferPackChoice(bool offered);
    // The briefings name the mission pack chosen; empty for the game's own.
    void SetPackName(const std::string& name);

  private:
    void showMenu();
    void showMenuEntries(bool visible);
    void showHudBars(bool visible);
    void showBriefingControls(bool visible);

    core::GameState& state_;
    layout::PlayWindowControls& play_;
    layout::HudControls& hud_;
    dib::TDIBTimer& titleTick_;
    bool finalScoreShown_ = false;
    bool packChoiceOffered_ = false;
};

}  // namespace app
