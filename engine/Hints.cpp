#include "engine/Hints.h"

#include <cstdlib>

namespace engine {
namespace {

// How close the ship's world position must come to an object's top-left
// corner, on both axes, for the hint to turn to that object.
constexpr int32_t kNear = 64;

bool shipNear(const core::GameState& s, int32_t x, int32_t y) {
    return std::abs(296 - s.scrollX - x) < kNear && std::abs(130 - s.scrollY - y) < kNear;
}

}  // namespace

void ChooseHint(const core::GameState& s, std::string& hint) {
    if (!s.towing && !s.cargoReleased) {
        hint =
            "Connect to the cargo (red Ball). Use UP ARROW KEY when close to the Cargo to "
            "connect ";
        if (shipNear(s, s.cargoX, s.cargoY)) hint = "Connect to cargo. Use [ UP ARROW KEY ]";
    }
    if (s.towing && !s.cargoReleased) {
        hint = "Release the Cargo with DOWN ARROW KEY when over the gray collector.";
        if (shipNear(s, s.collectorX, s.collectorY))
            hint = "Release the Cargo with [ DOWN ARROW KEY ]";
    }
    // The enemy matters more than the cargo when the ship is beside it.
    if (!s.enemyGone && shipNear(s, s.enemyX, s.enemyY))
        hint = "Destroy the enemy energi beamer [ CTRL KEY ]";
}

}  // namespace engine
