#pragma once

#include "core/MissionTable.h"

namespace assetgen::levels {

// Where a mission puts its objects in the world, taken from the game's own
// mission table (core/MissionTable.h); the caves are built around these points.
struct MissionGeometry {
    int number = 0;
    double gravity = 0;  // negative pulls upwards
    int shipX = 0;       // the ship's start: (296 - scrollX, 130 - scrollY)
    int shipY = 0;
    int cargoX = 0;  // top-left of the 16 x 16 cargo ball at rest
    int cargoY = 0;
    int collectorX = 0;  // top-left of the 40 x 58 collector sprite
    int collectorY = 0;
    int exitX = 0;  // top-left of the 57 x 65 exit sprite
    int exitY = 0;
    bool hasEnemy = false;
    int enemyX = 0;  // top-left of the enemy's 32 x 32 sprite (its gun fills the top-left 16 x 16)
    int enemyY = 0;
    int beamLength = 0;
};

// Mission 1 .. 10; throws std::out_of_range for any other number.
const MissionGeometry& missionGeometry(int number);

// Any mission-table row (a pack's too), with the ship's start as a world position.
MissionGeometry GeometryOf(const core::MissionRow& row);

}  // namespace assetgen::levels
