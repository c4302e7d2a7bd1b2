#pragma once

#include "core/Bitmap.h"
#include "levels/Findings.h"
#include "levels/LevelSource.h"
#include "levels/Terrain.h"

namespace assetgen::levels {

// Every check one picture gets, as the game decodes it: its colours, and for
// a mission's world whether the mission can be flown (see checkColours and
// checkMission).
Findings validatePicture(const LevelSource& source, const TerrainMap& terrain,
                         const core::Bitmap& decoded);

}  // namespace assetgen::levels
