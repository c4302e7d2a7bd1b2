#pragma once

#include <cstdint>

namespace core {

// One mission as the mission table fixes it: its level picture, its gravity,
// the scroll offsets that put the ship at its start point (the ship's world
// position is (296 - scrollX, 130 - scrollY)) and the world positions of the
// cargo, the collector, the exit and the enemy beamer with its beam's reach.
struct MissionRow {
    int number;
    int picture;  // the level picture "level<picture>_big.jpg"
    double gravity;
    int32_t scrollX;
    int32_t scrollY;
    int32_t cargoX;
    int32_t cargoY;
    int32_t collectorX;
    int32_t collectorY;
    int32_t exitX;
    int32_t exitY;
    bool hasEnemy;  // mission 1 has none and leaves the enemy values alone
    int32_t enemyX;
    int32_t enemyY;
    int32_t beamLength;
};

inline constexpr int kMissionCount = 10;

// Mission 1 .. 10; throws std::out_of_range for any other number.
const MissionRow& missionRow(int number);

}  // namespace core
