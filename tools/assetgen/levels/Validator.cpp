#include "levels/Validator.h"

#include "levels/ColourCheck.h"
#include "levels/MissionCheck.h"

namespace assetgen::levels {

Findings validatePicture(const LevelSource& source, const TerrainMap& terrain,
                         const core::Bitmap& decoded) {
    Findings findings;
    findings.picture = source.picture;
    checkColours(source, terrain, decoded, findings);
    if (source.mission != 0 && findings.passed()) checkMission(source, terrain, decoded, findings);
    return findings;
}

}  // namespace assetgen::levels
