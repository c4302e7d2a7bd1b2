#pragma once

#include <cstdint>
#include <string>

#include "core/TimeOfDay.h"

namespace scores {

// The 32-bit DOS date-time word of a local time (the year less 1980 in the
// top seven bits, then month, day, hour, minute and the seconds halved),
// read as a signed number: years after 2043 set the top bit. A year outside
// 1980 .. 2107 gives 0.
int32_t DosDateTime(const core::TimeOfDay& local);

// "Beginner", "Normal" or "Expert".
std::string DifficultyWord(int difficulty);

// The one-line score record: name TAB difficulty word TAB mission TAB score
// CR LF, in Windows-1252 (the server's tables read that code page). The
// name comes as UTF-8; a character Windows-1252 lacks becomes '?'.
std::string ScoreRecord(const std::string& name, int difficulty, int32_t mission, int32_t score);

}  // namespace scores
