#include "app/flow/PlaySceneView.h"

#include <string>

#include "engine/TimeText.h"

namespace app {
namespace {

void place(dib::TDIBImage& sprite, const engine::SpritePlace& at, bool visible) {
    sprite.SetBounds(at.left, at.top, sprite.Width(), sprite.Height());
    sprite.SetVisible(visible);
}

}  // namespace

PlaySceneView::PlaySceneView(const core::GameState& state, const engine::PlayScene& scene,
                             layout::PlayWindowControls& play, layout::HudControls& hud)
    : state_(state), scene_(scene), play_(play), hud_(hud) {}

void PlaySceneView::ShowScene() {
    play_.ship.SetVisible(scene_.shipVisible);
    if (play_.ship.Angle() != state_.shipAngle) play_.ship.SetAngle(state_.shipAngle);
    play_.Image1.SetBounds(state_.scrollX, state_.scrollY, play_.Image1.Width(),
                           play_.Image1.Height());
    place(play_.Box, scene_.box, scene_.boxVisible);
    play_.boxramp.SetBounds(scene_.collector.left, scene_.collector.top, play_.boxramp.Width(),
                            play_.boxramp.Height());
    place(play_.Exitimage, scene_.exit, scene_.exitVisible);
    place(play_.enemy, scene_.enemy, scene_.enemyVisible);
    place(play_.bomb, scene_.bomb, scene_.bombVisible);

    play_.Label10.SetCaption(scene_.message);
    play_.Label10.SetVisible(scene_.messageVisible);
    play_.Label_Scoring.SetCaption(scene_.scoring);
    play_.Label_Scoring.SetBounds(scene_.scoringLeft, scene_.scoringTop,
                                  play_.Label_Scoring.Width(), play_.Label_Scoring.Height());
    play_.Label_Scoring.SetVisible(scene_.scoringVisible);
    hud_.thetext.SetCaption(scene_.hint);
    hud_.thetext.SetVisible(scene_.hintVisible);
    play_.Label12.SetCaption(scene_.coordinates);
    play_.Label3.SetCaption(scene_.label3);
}

void PlaySceneView::ShowFlightDisplays(uint32_t nowMs) {
    // The mission time runs on the 32-bit millisecond counter, so the
    // difference is taken modulo 2^32 like the counter itself.
    const uint32_t elapsed = nowMs - state_.missionStartTick;
    hud_.LabelTime.SetCaption(engine::TimeText(elapsed / 1000.0));
    hud_.fuelbar.SetPosition(state_.fuel);
    hud_.damageBar.SetPosition(state_.shipDamage);
    hud_.BoxDam.SetPosition(state_.cargoDamage);
    ShowScore();
}

void PlaySceneView::ShowScore() {
    hud_.scorelabel.SetCaption(std::to_string(state_.score));
}

}  // namespace app
