#include "engine/FrameTick.h"

#include <string>

#include "effects/ParticlePass.h"
#include "engine/Collisions.h"
#include "engine/Countdowns.h"
#include "engine/Minimap.h"
#include "engine/Overlays.h"

namespace engine {
namespace {

// Flying beyond these scroll offsets damages and loses the ship.
constexpr int32_t kMinScrollX = -950;
constexpr int32_t kMaxScrollX = 340;
constexpr int32_t kMinScrollY = -1100;
constexpr int32_t kMaxScrollY = 340;

void countDownScoringLabel(core::GameState& s, PlayScene& scene) {
    if (!scene.scoringVisible) return;
    if (s.scoringLabelTicks > 0)
        --s.scoringLabelTicks;
    else
        scene.scoringVisible = false;
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

// The rock tests read the picture as the last hand-over left it, with the
// beam drawn over it, so they run before this tick's hand-over. Returns true
// when a countdown ended the mission.
bool testMissionBeforeHandOver(FrameTickContext& c, PlayScene& scene, PlayActions& actions) {
    core::GameState& s = c.state;
    ShipAgainstRock(s, scene, c.pictures, actions);
    if (CountDownToMissionEnd(s, actions)) return true;
    CargoAgainstRock(s, scene, c.pictures, actions);
    if (s.bombFlying) BombAgainstRockAndEnemy(s, scene, c.pictures, actions);
    return false;
}

}  // namespace

void FrameTick(FrameTickContext& c) {
    core::GameState& s = c.state;
    const bool haveScene = c.scene != nullptr;
    const bool inMission = !s.menuMode && haveScene && c.actions != nullptr;
    // Nothing to animate before the first effect request made the buffer.
    const bool haveEffects = c.effects.particleEngine && !c.effects.effectBuffer.empty();

    if (haveScene) countDownScoringLabel(s, *c.scene);
    if (s.minimapTrail) DrawMinimapTrail(c.minimap, s);
    if (haveScene)
        c.scene->coordinates =
            "Coord:" + std::to_string(s.scrollX) + " / " + std::to_string(s.scrollY);
    testWorldBounds(s);
    if (s.menuMode) pulseBackdrop(c);
    if (haveEffects) effects::ParticlePass(c.effects, s, c.pictures);
    if (inMission && testMissionBeforeHandOver(c, *c.scene, *c.actions)) return;
    if (haveEffects) c.pictures.HandOver(c.effects);
    if (inMission) {
        DrawEnemyBeam(s, c.pictures, *c.actions);
        DrawTowLine(s, c.pictures);
    }
    if (haveEffects && haveScene)
        c.scene->label3 = std::to_string(c.effects.particleEngine->HighIndex()) + "/" +
                          std::to_string(c.effects.particleCap);
}

}  // namespace engine
