#include "engine/Exit.h"

#include <string>

#include "engine/Bonuses.h"

namespace engine {
namespace {

// The ship's world position must lie strictly inside this square at the
// exit's top-left corner (the sprite itself is larger).
constexpr int32_t kExitSquare = 50;

bool shipInsideExit(const core::GameState& s) {
    const int32_t x = 296 - s.scrollX;
    const int32_t y = 130 - s.scrollY;
    return s.exitX < x && x < s.exitX + kExitSquare && s.exitY < y && y < s.exitY + kExitSquare;
}

}  // namespace

void TestExitEntry(core::GameState& s, PlayScene& scene, PlayActions& actions, uint32_t nowMs) {
    if (!shipInsideExit(s)) return;
    // Unsigned, so the time is right across a wrap of the counter.
    const uint32_t seconds = (nowMs - s.missionStartTick) / 1000;
    s.timeBonus = TimeBonus(s.missionNumber, s.difficulty, seconds);
    ++s.missionNumber;
    actions.PlaySound(SoundList::DIBWavList2, kSoundSpawn);
    const int32_t fuelBonus = FuelBonus(s.fuel, s.missionNumber, s.difficulty);
    for (int i = 0; i < 4; ++i) actions.RequestEffect(kEffectBigBang);
    actions.StopFlightTicks();
    scene.exitVisible = false;
    scene.shipVisible = false;
    scene.message = "Mission Success\r\nFuel Bonus : " + std::to_string(fuelBonus) +
                    "\r\nTime Bonus : " + std::to_string(s.timeBonus);
    s.score += fuelBonus;
    s.score += s.timeBonus;
    scene.messageVisible = true;
    s.missionComplete = true;
}

}  // namespace engine
