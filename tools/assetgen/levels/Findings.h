#pragma once

#include <string>
#include <vector>

#include "levels/Reachability.h"

namespace assetgen::levels {

// What the validator found in one picture: faults that stop the build, plain
// measurements for the build log, and for a mission the places the ship
// reached on each leg (to the cargo, with the cargo, to the exit), which the
// preview pictures show.
struct Findings {
    std::string picture;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
    std::vector<PositionSet> legs;

    bool passed() const { return errors.empty(); }
};

}  // namespace assetgen::levels
