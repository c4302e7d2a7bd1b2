#include "levels/Missions.h"

#include <array>
#include <stdexcept>
#include <string>

namespace assetgen::levels {
namespace {

// The ship's world position is (296 - scrollX, 130 - scrollY); the table
// lists the scroll values the game starts each mission with.
constexpr MissionGeometry row(int number, double gravity, int scrollX, int scrollY, int cargoX,
                              int cargoY, int collectorX, int collectorY, int exitX, int exitY,
                              bool hasEnemy, int enemyX, int enemyY, int beamLength) {
    return {number,     gravity, 296 - scrollX, 130 - scrollY, cargoX, cargoY, collectorX,
            collectorY, exitX,   exitY,         hasEnemy,      enemyX, enemyY, beamLength};
}

constexpr std::array<MissionGeometry, 10> kMissions{{
    row(1, 0.03, 210, 70, 500, 150, 300, 456, 455, 330, false, 0, 0, 0),
    row(2, 0.1, 210, 70, 430, 280, 100, 315, 510, 470, true, 226, 370, 150),
    row(3, 0.1, 210, 70, 530, 180, 120, 515, 520, 700, true, 32, 660, 100),
    row(4, 0.1, 200, 60, 900, 130, 120, 875, 920, 670, true, 64, 830, 500),
    row(5, 0.15, 164, 0, 678, 136, 920, 862, 64, 692, true, 802, 538, 70),
    row(6, 0.15, 144, 40, 842, 114, 166, 870, 900, 636, true, 412, 750, 60),
    row(7, 0.15, 144, 40, 258, 464, 1080, 470, 506, 902, true, 1002, 232, 120),
    row(8, 0.15, 144, 40, 1057, 172, 410, 1115, 1100, 1111, true, 1002, 232, 120),
    row(9, -0.01, 144, 40, 582, 128, 196, 1080, 1060, 140, true, 36, 1006, 210),
    row(10, 0.15, 144, 40, 1110, 154, 146, 630, 1108, 1110, true, 42, 596, 140),
}};

}  // namespace

const MissionGeometry& missionGeometry(int number) {
    if (number < 1 || number > static_cast<int>(kMissions.size()))
        throw std::out_of_range("there is no mission " + std::to_string(number));
    return kMissions[static_cast<size_t>(number - 1)];
}

}  // namespace assetgen::levels
