#pragma once

#include <string>

namespace core {

// What a mission's briefing tells the player: words, not the values the
// mission really uses (those are its mission-table row).
struct BriefingWords {
    std::string spawn;
    std::string gravity;
    std::string bombs;
    std::string level;
    std::string details1;
    std::string details2;
};

// The briefing box's text: CR LF between lines, none after the last.
std::string BriefingText(const BriefingWords& words);

}  // namespace core
