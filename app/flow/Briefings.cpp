#include "app/flow/Briefings.h"

#include <stdexcept>

namespace app {
namespace {

constexpr const char* kInsideCave = "Inside cave";
constexpr const char* kBombsHint = "Use bombs(ctrl) to get out of enclosed areas";

// The words are what the player is told; the numbers the mission really uses
// live in the mission table (three "Light" to "Normal" caves share one gravity).
const core::BriefingWords kBriefings[] = {
    {kInsideCave, "Very Light", "No", "Easy", "No special info for", "this mission"},
    {kInsideCave, "Light", "No", "Easy", "Theres a bit of planet", "gravity"},
    {kInsideCave, "Normal", "Yes", "Easy", "Theres a bit of planet gravity", kBombsHint},
    {kInsideCave, "Normal", "Yes", "Normal", "Theres a bit of planet gravity", kBombsHint},
    {kInsideCave, "High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {kInsideCave, "High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {kInsideCave, "High", "Yes", "Hard", "Planet gravity high", kBombsHint},
    {kInsideCave, "High", "Yes", "Very Hard", "Planet gravity high", kBombsHint},
    {kInsideCave, "INVERTED", "Yes", "Very Hard", "Planet gravity high", kBombsHint},
    {kInsideCave, "High", "Yes", "Extreme", "Planet gravity high", kBombsHint},
};

}  // namespace

const core::BriefingWords& BuiltInBriefing(int mission) {
    if (mission < 1 || mission > 10)
        throw std::out_of_range("there is no briefing for mission " + std::to_string(mission));
    return kBriefings[mission - 1];
}

std::string BriefingHeading(int mission) {
    return "Level " + std::to_string(mission);
}

}  // namespace app
