#include "engine/Countdowns.h"

namespace engine {
namespace {

constexpr int32_t kLossTicks = 30;
constexpr int32_t kSuccessTicks = 60;

}  // namespace

// The ends are tested for equality, as they always were: the frame tick runs
// on behind the first briefing of a new game with the last game's count past
// its end, and must end nothing there. When both countdowns run (a ship lost
// out of bounds that still reached the exit) the count rises by 2 a tick,
// and one of the two tests still meets its end.
bool CountDownToMissionEnd(core::GameState& s, PlayActions& actions) {
    if (s.shipDead && ++s.endTicks == kLossTicks) {
        actions.EndMission();
        return true;
    }
    if (s.missionComplete) {
        // The second "Spawn" of a success; the exit played the first.
        if (s.endTicks == 0) actions.PlaySound(SoundList::DIBWavList2, kSoundSpawn);
        if (++s.endTicks == kSuccessTicks) {
            actions.EndMission();
            return true;
        }
    }
    return false;
}

}  // namespace engine
