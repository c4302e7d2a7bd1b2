#pragma once

#include <string>

#include "core/Bitmap.h"
#include "levels/Findings.h"
#include "levels/LevelSource.h"
#include "levels/Missions.h"
#include "levels/Terrain.h"

namespace assetgen::levels {

// Writes a PNG of the decoded picture for people to look at, with what the
// validator knows drawn over it: bomb walls outlined in magenta, the places
// the ship reached tinted (teal on the way to the cargo, yellow towing it,
// red on the way to the exit), and the mission's objects: the ship's start
// (green), the cargo (yellow), the collector (silver) and where a delivered
// cargo lies (white), the exit (red) with its entry square (orange), the
// enemy (cyan) and its beam (purple).
void writePreview(const std::string& path, const LevelSource& source, const TerrainMap& terrain,
                  const core::Bitmap& decoded, const Findings& findings);

// The same for a painted cave (a mission pack's), which has no source: the
// rock the game sees tinted blue, the places the ship reached, and the
// objects of `mission`.
void writePaintedPreview(const std::string& path, const MissionGeometry& mission,
                         const core::Bitmap& decoded, const Findings& findings);

}  // namespace assetgen::levels
