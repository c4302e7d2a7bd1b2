#include "levels/Missions.h"

#include <array>
#include <cstddef>

#include "core/MissionTable.h"

namespace assetgen::levels {
MissionGeometry GeometryOf(const core::MissionRow& r) {
    return {r.number,   r.gravity,    296 - r.scrollX, 130 - r.scrollY, r.cargoX,
            r.cargoY,   r.collectorX, r.collectorY,    r.exitX,         r.exitY,
            r.hasEnemy, r.enemyX,     r.enemyY,        r.beamLength};
}

const MissionGeometry& missionGeometry(int number) {
    static const std::array<MissionGeometry, core::kMissionCount> missions = [] {
        std::array<MissionGeometry, core::kMissionCount> all{};
        for (int n = 1; n <= core::kMissionCount; ++n)
            all[static_cast<std::size_t>(n - 1)] = GeometryOf(core::missionRow(n));
        return all;
    }();
    core::missionRow(number);  // throws for a number outside the table
    return missions[static_cast<std::size_t>(number - 1)];
}

}  // namespace assetgen::levels
