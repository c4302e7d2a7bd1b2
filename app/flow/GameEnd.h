#pragma once

#include "app/flow/ChosenMissions.h"
#include "app/flow/Screens.h"
#include "app/layout/UploadPanelControls.h"
#include "core/GameState.h"
#include "ui/Form.h"

namespace app {

// The end of a game: the lives left are paid out, a positive score is
// offered for upload, and the menu comes back. The online table is for the
// built-in caves: the score of a pack's game stays on the menu instead.
class GameEnd {
  public:
    GameEnd(core::GameState& state, const ChosenMissions& missions, ui::Form& window,
            layout::UploadPanelControls& upload, Screens& screens);

    void EndGame();
    // "Cancel" on the upload panel: the score is dropped.
    void dxButton2Click();

  private:
    core::GameState& state_;
    const ChosenMissions& missions_;
    ui::Form& window_;
    layout::UploadPanelControls& upload_;
    Screens& screens_;
};

}  // namespace app
