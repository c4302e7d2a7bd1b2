#pragma once

#include <utility>
#include <vector>

#include "core/Bitmap.h"
#include "levels/Findings.h"
#include "levels/LevelSource.h"
#include "levels/Missions.h"
#include "levels/Terrain.h"

namespace assetgen::levels {

// Bombs a player may need for one wall before the level counts as unfair.
inline constexpr int kMaxBombsPerWall = 3;

// The points of the enemy's six beam lines, as the game's canvas draws them,
// for an enemy at (enemyX, enemyY): rock while the enemy lives.
std::vector<std::pair<int, int>> BeamPoints(int enemyX, int enemyY, int beamLength);

// Checks that a decoded level picture can be flown as its mission asks:
//  - the ship starts clear of rock, the cargo rests just above rock without
//    touching it, the collector stands on a floor with its delivery box
//    clear, the exit is drawn in open space, the enemy sits on a ledge with
//    its beam across open space;
//  - with the shortest and with the longest tow line, the ship gets from
//    its start to the cargo, tows it to where it drops (or, under upward
//    gravity, rises) into the collector, and flies on to the exit. On the
//    way it bombs what it can: the enemy, once it reaches a place from which
//    a dropped bomb falls onto it, and a bomb wall, once a dropped bomb can
//    fall onto the wall from above;
//  - missions 1 and 2 have no bomb walls; from mission 3 on the mission
//    cannot be finished without blasting a bomb wall, and every bomb wall
//    opens for the ship within kMaxBombsPerWall bombs.
// It notes whether the enemy must be bombed or its beam can be flown
// around. The ship's flight (gravity, momentum) is not simulated: it moves a
// pixel at a time wherever it does not crash.
void checkMission(const LevelSource& source, const TerrainMap& terrain, const core::Bitmap& decoded,
                  Findings& findings);

// Rock up to this thick opens to a few bombs: the game's own bomb walls are
// 12 to 20 pixels thick, their rough edges a few more, and each opens within
// kMaxBombsPerWall bombs.
inline constexpr int kBlastThickness = 24;

// The same checks for a painted cave, one without a source (a mission
// pack's), with the mission `m` placed in it: the placement of every object,
// and with the shortest and the longest tow line the flight to the cargo,
// with it to the collector, and on to the exit. A cave has no bomb walls of
// its own; where the mission uses bombs, rock thinner than kBlastThickness
// counts as passable. The rules of the game's own ten (which missions must
// need bombs) do not apply.
void checkPaintedMission(const MissionGeometry& m, const core::Bitmap& decoded, bool bombsUsed,
                         Findings& findings);

}  // namespace assetgen::levels
