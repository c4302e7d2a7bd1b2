#include "engine/ControlTick.h"

#include <cstdlib>

#include "engine/Bomb.h"

namespace engine {
namespace {

constexpr int32_t kTurnStep = 3;
// The cargo sprite must be this close to the ship sprite on both axes to hook.
constexpr int32_t kHookReach = 48;

void skipMission(core::GameState& s, PlayActions& actions) {
    // Counts as a success, so no life is lost and no bonus given.
    s.exitOpen = true;
    s.missionComplete = true;
    ++s.missionNumber;
    actions.EndMission();
}

void fireEngine(core::GameState& s, PlayActions& actions) {
    if (s.fuel > 0) {
        s.engineOn = true;
        --s.fuel;
        actions.PlayEngineSound();
    } else {
        s.engineOn = false;
    }
}

// The wrap is deliberately not modular: 1 turns left to 359 and 358 turns
// right to 0, so headings drift off multiples of 3 after a wrap.
void turnLeft(core::GameState& s) {
    s.shipAngle -= kTurnStep;
    if (s.shipAngle < 0) s.shipAngle = 359;
}

void turnRight(core::GameState& s) {
    s.shipAngle += kTurnStep;
    if (s.shipAngle > 359) s.shipAngle = 0;
}

void releaseCargo(core::GameState& s) {
    if (!s.towing) return;
    // Beginners get a cargo that drops straight down.
    if (s.difficulty == 1) s.cargoVelX = 0;
    s.cargoReleased = true;
}

void hookCargo(core::GameState& s, const PlayScene& scene, PlayActions& actions) {
    const int32_t dx = scene.box.left - kShipLeft;
    const int32_t dy = scene.box.top - kShipTop;
    const bool closeToResting =
        !s.towing && !s.exitOpen && std::abs(dx) < kHookReach && std::abs(dy) < kHookReach;
    // A released cargo that missed the collector can be taken up from anywhere.
    const bool takeUpReleased = s.towing && s.cargoReleased && !s.exitOpen;
    if (!closeToResting && !takeUpReleased) return;
    actions.PlaySound(SoundList::DIBWavList2, kSoundTow);
    s.cargoReleased = false;
    s.towing = true;
    s.cargoVelX = dx / 10.0;
}

}  // namespace

void ControlTick(core::GameState& s, PlayScene& scene, ShipInput input, PlayActions& actions) {
    if (input.skipMission) skipMission(s, actions);
    if (input.thrust) fireEngine(s, actions);
    if (input.turnLeft) turnLeft(s);
    if (input.turnRight) turnRight(s);
    if (input.releaseCargo) releaseCargo(s);
    if (input.home) s.shipAngle = 0;
    // Keys may have been let go while the question was open: the steps after
    // it look at the keys as they are now.
    if (input.quit) input = actions.AskQuitQuestion();
    if (input.dropBomb && !s.bombFlying) DropBomb(s, scene);
    if (input.hookCargo) hookCargo(s, scene, actions);
}

void KeyReleased(core::GameState& s) {
    s.engineOn = false;
}

}  // namespace engine
