#pragma once

#include <string>

#include "core/Briefing.h"

namespace app {

// What the player reads before a mission of the game's own ten: the heading
// "Level <n>" (of any mission, a pack's too) and the words of the mission
// data, which core::BriefingText lays out for a fixed-pitch font so that the
// colons line up. BuiltInBriefing takes mission 1 .. 10 and throws
// std::out_of_range for any other number.
const core::BriefingWords& BuiltInBriefing(int mission);
std::string BriefingHeading(int mission);

}  // namespace app
