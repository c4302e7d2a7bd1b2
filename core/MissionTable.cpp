#include "MissionTable.h"

#include <array>
#include <stdexcept>
#include <string>

namespace core {
namespace {

// The caves of the level pictures are built around these points: change a
// row and the level checks of the asset build say which cave no longer fits.
constexpr std::array<MissionRow, kMissionCount> kMissions{{
    {1, 0, 0.03, 210, 70, 500, 150, 300, 456, 455, 330, false, 0, 0, 0},
    {2, 1, 0.1, 210, 70, 430, 280, 100, 315, 510, 470, true, 226, 370, 150},
    {3, 2, 0.1, 210, 70, 530, 180, 120, 515, 520, 700, true, 32, 660, 100},
    {4, 3, 0.1, 200, 60, 900, 130, 120, 875, 920, 670, true, 64, 830, 500},
    {5, 4, 0.15, 164, 0, 678, 136, 920, 862, 64, 692, true, 802, 538, 70},
    {6, 5, 0.15, 144, 40, 842, 114, 166, 870, 900, 636, true, 412, 750, 60},
    {7, 6, 0.15, 144, 40, 258, 464, 1080, 470, 506, 902, true, 1002, 232, 120},
    {8, 7, 0.15, 144, 40, 1057, 172, 410, 1115, 1100, 1111, true, 1002, 232, 120},
    {9, 8, -0.01, 144, 40, 582, 128, 196, 1080, 1060, 140, true, 36, 1006, 210},
    {10, 9, 0.15, 144, 40, 1110, 154, 146, 630, 1108, 1110, true, 42, 596, 140},
}};

}  // namespace

const MissionRow& missionRow(int number) {
    if (number < 1 || number > kMissionCount)
        throw std::out_of_range("there is no mission " + std::to_string(number));
    return kMissions[static_cast<size_t>(number - 1)];
}

}  // namespace core
