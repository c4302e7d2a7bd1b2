#pragma once

#include <string>

namespace app {

// What the player reads before a mission: the heading "Level <n>" and the
// mission data, lines joined by CR LF, laid out for a fixed-pitch font so
// that the colons line up. Mission 1 .. 10; throws std::out_of_range
// for any other number.
std::string BriefingHeading(int mission);
std::string BriefingText(int mission);

}  // namespace app
