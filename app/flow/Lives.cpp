#include "app/flow/Lives.h"

namespace app {

void ShowLives(const core::GameState& state, layout::PlayWindowControls& play) {
    dib::TDIBImage* icons[] = {&play.DIBImage3, &play.DIBImage4, &play.DIBImage5, &play.DIBImage6,
                               &play.DIBImage7};
    for (int k = 1; k <= 5; ++k) icons[k - 1]->SetVisible(state.lives > k);
}

}  // namespace app
