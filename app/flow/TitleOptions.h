#pragma once

#include "app/layout/PlayWindowControls.h"
#include "core/GameState.h"
#include "music/mp3frameU1.h"

namespace app {

// The three options of the title menu. They start from their defaults at
// every run; the difficulty stays fixed for a whole game, as it can only be
// changed on the title screen.
class TitleOptions {
  public:
    TitleOptions(core::GameState& state, layout::PlayWindowControls& play);

    // The music frame lives in the music window, which exists only once the
    // main window is shown.
    void SetMusicFrame(music::TFrame1* frame) { music_ = frame; }

    void DIBFadeLabel4Click();  // difficulty: Beginner, Normal, Expert, Beginner ...
    void DIBFadeLabel5Click();  // music on and off, the position kept
    void DIBFadeLabel6Click();  // the ship's trail on the minimap

  private:
    core::GameState& state_;
    layout::PlayWindowControls& play_;
    music::TFrame1* music_ = nullptr;
};

}  // namespace app
