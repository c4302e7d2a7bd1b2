#pragma once

#include <string>

namespace autopilot {

// Which flights to make: missions and levels as lists ("all", or numbers
// joined by commas: levels 1 Beginner, 2 Normal, 3 Expert), the mission pack
// to fly instead of the game's own ten (empty for those), the simulator, and
// a folder for the pictures taken in flight (empty for none).
struct FlightPlan {
    std::string sim;
    std::string pack;
    std::string missions = "all";
    std::string levels = "1";
    std::string shots;
};

// The program `name` in the folder of the running program.
std::string BesideThisProgram(const char* name);

// Flies every mission of the plan at every level of it, each in a
// tarnwick-sim of its own, reaching its briefing by the hidden skip keys
// alone, and prints a table of how each flight went. Returns true when every
// flight was won. Throws std::invalid_argument for a list it cannot read and
// app::packs::PackError for a pack the game cannot fly.
bool FlyAndReport(const FlightPlan& plan);

}  // namespace autopilot
