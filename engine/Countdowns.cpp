#include "engine/Countdowns.h"

namespace engine {
namespace {

constexpr int32_t kLossTicks = 30;
constexpr int32_t kSuccessTicks = 60;

}  // namespace

// The ends are tested for equality, as they always were: a count that gets
// past its end (both countdowns running at once add 2 per tick) never ends.
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
