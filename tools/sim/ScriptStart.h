#pragma once

#include <optional>
#include <vector>

#include "Script.h"
#include "core/TimeOfDay.h"

namespace sim {

// What a script settles before the program starts: the time of day it starts
// at (`clock`, the 15th of June 2005 at noon UTC without one) and the packs
// it is offered (`pack` lines, see ReplayPacks).
struct ScriptStart {
    core::TimeOfDay startTime;
    std::vector<Command> packLines;
};

// Reads the script up to and including `start`. Returns nullopt when the
// script ends before it; any other command first is a script error.
std::optional<ScriptStart> ReadScriptStart(ScriptReader& script);

// Parses HH:MM:SS.mmm into the time of day of the default date.
core::TimeOfDay parseClock(const Command& command);

}  // namespace sim
