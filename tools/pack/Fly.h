#pragma once

#include <string>
#include <vector>

namespace pack {

// `tarnwick-pack fly PACK [--levels ...] [--missions ...]`: the autopilot
// flies every mission of the pack in the tarnwick-sim beside this program at
// the levels given (Beginner unless told) and prints its table. Returns 0
// when every flight was won, 1 when one was lost, 2 for options it cannot
// read. Throws PackError for a pack the game cannot fly.
int Fly(const std::string& pack, const std::vector<std::string>& options);

}  // namespace pack
