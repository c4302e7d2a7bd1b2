#include "engine/Overlays.h"

#include "core/Random.h"

namespace engine {
namespace {

constexpr int32_t kBeamBase = 0x770011;
constexpr int32_t kBeamSpread = 140;
constexpr int32_t kSparkEvery = 50;

}  // namespace

void DrawEnemyBeam(const core::GameState& s, effects::LevelPictures& pictures,
                   PlayActions& actions) {
    if (s.enemyGone) return;
    const bool beamOn = s.missionTicks % 2 == 0;
    const bool sparks = s.missionTicks % kSparkEvery == 0;
    // Lines and sparks alternate: both draw from the one random sequence.
    for (int i = 1; i <= 6; ++i) {
        if (beamOn) {
            const core::CanvasColor pen{core::Random(kBeamSpread) * i + kBeamBase};
            pictures.DrawOverlayLine(pen, s.enemyX + 16, s.enemyY + i + 4, s.enemyX + s.beamLength,
                                     s.enemyY + i + 2);
        }
        if (sparks) actions.RequestEffect(kEffectEnemySpark);
    }
}

void DrawTowLine(const core::GameState& s, effects::LevelPictures& pictures) {
    if (!s.towing || s.cargoReleased) return;
    pictures.DrawOverlayLine(core::colors::red, 296 - s.scrollX, 130 - s.scrollY, s.cargoX + 8,
                             s.cargoY + 8);
}

}  // namespace engine
