#include "engine/FrameTick.h"

#include <string>

#include "effects/ParticlePass.h"
#include "engine/Minimap.h"

namespace engine {
namespace {

// Flying beyond these scroll offsets damages and loses the ship.
constexpr int32_t kMinScrollX = -950;
constexpr int32_t kMaxScrollX = 340;
constexpr int32_t kMinScrollY = -1100;
constexpr int32_t kMaxScrollY = 340;

void countDownScoringLabel(FrameTickContext& c) {
    if (!c.scoringLabel.Visible()) return;
    if (c.state.scoringLabelTicks > 0)
        --c.state.scoringLabelTicks;
    else
        c.scoringLabel.Hide();
}

// Checked in every frame tick, on the title screen and during the countdowns
// too. Leaving the bounds sets no countdown and stops no timer.
void testWorldBounds(core::GameState& s) {
    if (s.scrollX > kMaxScrollX || s.scrollX < kMinScrollX) {
        s.shipDamage += 100;
        s.shipDead = true;
    }
    if (s.scrollY > kMaxScrollY || s.scrollY < kMinScrollY) {
        s.shipDamage += 100;
        s.shipDead = true;
    }
}

// The veil swings between opacity 5 and 105 once it has faded down from 255.
void pulseBackdrop(FrameTickContext& c) {
    const int opacity = c.backdrop.Opacity();
    if (opacity < 10) c.state.backdropFadingOut = false;
    if (opacity > 100) c.state.backdropFadingOut = true;
    c.backdrop.SetOpacity(
        static_cast<uint8_t>(c.state.backdropFadingOut ? opacity - 5 : opacity + 5));
}

}  // namespace

void FrameTick(FrameTickContext& c) {
    core::GameState& s = c.state;
    countDownScoringLabel(c);
    if (s.minimapTrail) DrawMinimapTrail(c.minimap, s);
    c.coordinatesLabel.SetCaption("Coord:" + std::to_string(s.scrollX) + " / " +
                                  std::to_string(s.scrollY));
    testWorldBounds(s);
    if (s.menuMode) pulseBackdrop(c);
    // Nothing to animate before the first effect request made the buffer.
    if (c.effects.particleEngine && !c.effects.effectBuffer.empty()) {
        effects::ParticlePass(c.effects, s, c.pictures);
        c.pictures.HandOver(c.effects);
        c.particlesLabel.SetCaption(std::to_string(c.effects.particleEngine->HighIndex()) + "/" +
                                    std::to_string(c.effects.particleCap));
    }
}

}  // namespace engine
