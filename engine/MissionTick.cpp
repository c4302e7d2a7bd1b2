#include "engine/MissionTick.h"

#include <string>

#include "core/Nearest.h"
#include "engine/Bomb.h"
#include "engine/Cargo.h"
#include "engine/Exit.h"
#include "engine/Flight.h"
#include "engine/Hints.h"

namespace engine {
namespace {

// missionTicks only paces the beam (even ticks) and its sparks (every 50th),
// so it may start over.
constexpr int32_t kMissionTicksWrap = 10000;

}  // namespace

void MissionTick(core::GameState& s, PlayScene& scene, PlayActions& actions, uint32_t nowMs) {
    scene.hintVisible = true;
    ChooseHint(s, scene.hint);
    FlyVertically(s);
    FlyHorizontally(s);
    scene.collector = OnScreen(s.collectorX, s.collectorY, s);
    scene.enemy = OnScreen(s.enemyX, s.enemyY, s);
    if (s.cargoInMission) {
        ApplyCargoRules(s, scene, actions);
        if (s.bombFlying) BombFlight(s, scene);
        MoveCargo(s, scene);
    }
    if (s.exitOpen && !s.missionComplete) {
        TestExitEntry(s, scene, actions, nowMs);
        scene.exit = OnScreen(s.exitX, s.exitY, s);
    }
    scene.label3 = std::to_string(core::nearest(s.scrollVelX)) + "/0";
    if (++s.missionTicks > kMissionTicksWrap) s.missionTicks = 0;
}

}  // namespace engine
