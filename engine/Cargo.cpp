#include "engine/Cargo.h"

#include <string>

#include "engine/Bonuses.h"
#include "engine/FreeFall.h"
#include "engine/Hints.h"
#include "engine/TowLine.h"

namespace engine {
namespace {

constexpr double kMaxCargoSpeed = 6;
// The bonus label rises this far above the delivered cargo...
constexpr int32_t kScoringLift = 24;
// ...and stays for this many frame ticks.
constexpr uint8_t kScoringTicks = 45;

void holdResting(core::GameState& s, PlayScene& scene) {
    scene.box = OnScreen(s.cargoX, s.cargoY, s);
    s.cargoVelX = 0;
    s.cargoVelY = 0;
}

void deliver(core::GameState& s, PlayScene& scene, PlayActions& actions) {
    actions.PlaySound(SoundList::DIBWavList2, kSoundOpenExit);
    scene.boxVisible = false;
    s.towing = false;
    s.exitOpen = true;
    scene.exitVisible = true;
    scene.hint = kHintFindExit;
    const int32_t bonus =
        CargoBonus(s.cargoVelX, s.cargoVelY, s.missionNumber, s.difficulty, s.cargoDamage);
    scene.scoringLeft = scene.box.left;
    scene.scoringTop = scene.box.top - kScoringLift;
    scene.scoring = "Cargo bonus :" + std::to_string(bonus);
    scene.scoringVisible = true;
    s.score += bonus;
    s.scoringLabelTicks = kScoringTicks;
}

}  // namespace

bool CargoInsideCollector(const core::GameState& s) {
    return s.collectorX < s.cargoX && s.cargoX < s.collectorX + 32 && s.collectorY - 8 < s.cargoY &&
           s.cargoY < s.collectorY + 32;
}

void ApplyCargoRules(core::GameState& s, PlayScene& scene, PlayActions& actions) {
    if (!s.towing)
        holdResting(s, scene);
    else if (!s.cargoReleased)
        PullTowLine(s, scene);  // never delivered, however it hangs over the collector
    else if (CargoInsideCollector(s))
        deliver(s, scene, actions);
}

void MoveCargo(core::GameState& s, PlayScene& scene) {
    // Positive gravity pulls the cargo down; the upside-down cave lifts it.
    FallOneTick(s.cargoX, s.cargoY, s.cargoVelX, s.cargoVelY, s.gravity, kMaxCargoSpeed, scene.box,
                s);
}

}  // namespace engine
