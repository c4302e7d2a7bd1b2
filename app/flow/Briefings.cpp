#include "app/flow/Briefings.h"

#include <stdexcept>

namespace app {
namespace {

struct Briefing {
    const char* gravity;
    const char* bombs;
    const char* level;
    const char* details1;
    const char* details2;
};

constexpr const char* kBombsHint = "Use bombs(ctrl) to get out of enclosed areas";

// The words are what the player is told; the numbers the mission really uses
// live in the mission table (three "Light" to "Normal" caves share one gravity).
constexpr Briefing kBriefings[] = {
    {"Very Light", "No", "Easy", "No special info for", "this mission"},
    {"Light", "No", "Easy", "Theres a bit of planet", "gravity"},
    {"Normal", "Yes", "Easy", "Theres a bit of planet gravity", kBombsHint},
    {"Normal", "Yes", "Normal", "Theres a bit of planet gravity", kBombsHint},
    {"High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {"High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {"High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {"High", "Yes", "Very Hard", "Planet gravity high", kBombsHint},
    {"INVERTED", "Yes", "Very Hard", "Planet gravity high", kBombsHint},
    {"High", "Yes", "Extreme", "Planet gravity high", kBombsHint},
};

const Briefing& briefing(int mission) {
    if (mission < 1 || mission > 10)
        throw std::out_of_range("there is no briefing for mission " + std::to_string(mission));
    return kBriefings[mission - 1];
}

}  // namespace

std::string BriefingHeading(int mission) {
    briefing(mission);
    return "Level " + std::to_string(mission);
}

std::string BriefingText(int mission) {
    const Briefing& b = briefing(mission);
    const std::string crlf = "\r\n";
    return std::string("Mission data ") + crlf + crlf + "Spawn Point    : Inside cave" + crlf +
           "Planet Gravity : " + b.gravity + crlf + "Use of Bombs   : " + b.bombs + crlf +
           "Mission Level  : " + b.level + crlf + crlf + "Details        " + crlf + b.details1 +
           crlf + b.details2;
}

}  // namespace app
