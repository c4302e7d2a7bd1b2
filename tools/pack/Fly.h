#pragma once

#include <string>
#include <vector>

namespace pack {

// `tarnwick-pack fly PACK [--levels ...]`: the autopilot beside this program
// flies every mission of the pack in tarnwick-sim at the levels given and
// prints its table. Returns the autopilot's status: 0 when every flight was
// won.
int Fly(const std::string& pack, const std::vector<std::string>& options);

}  // namespace pack
