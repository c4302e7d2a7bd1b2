#include "engine/Flight.h"

#include <algorithm>

#include "core/Nearest.h"

namespace engine {
namespace {

constexpr double kMaxShipSpeed = 7;
constexpr double kBeginnerDamping = 0.05;

}  // namespace

// Four quarter-circle formulas. Their heading ranges share the end degrees
// (89..90, 179..180, 269..270), where both rows push, one after the other;
// that makes the ship a little stronger flying exactly sideways or down.
void ApplyEngineForce(core::GameState& s) {
    const double a = s.shipAngle;
    if (a >= 0 && a <= 90) {
        s.scrollVelY += 90 / (a + 45) / 2;
        s.scrollVelX -= (a + 1) / 80 / 2;
    }
    if (a >= 89 && a <= 180) {
        s.scrollVelY -= (a - 45) / 180 / 2;
        s.scrollVelX -= (225 - a) / 80 / 2;
    }
    if (a >= 179 && a <= 270) {
        s.scrollVelY -= (315 - a) / 180 / 2;
        s.scrollVelX += (a + 1) / 270 / 2;
    }
    if (a >= 269 && a <= 359) {
        s.scrollVelY += 90 / (405 - a) / 2;
        s.scrollVelX += 270 / (a + 1) / 2;
    }
}

void FlyVertically(core::GameState& s) {
    if (s.engineOn) ApplyEngineForce(s);
    s.scrollVelY -= s.gravity;
    s.scrollVelY = std::clamp(s.scrollVelY, -kMaxShipSpeed, kMaxShipSpeed);
    s.scrollY += core::nearest(s.scrollVelY);
}

void FlyHorizontally(core::GameState& s) {
    // Only Beginners drift to a stop; there is no vertical damping at all.
    if (s.difficulty == 1) {
        if (s.scrollVelX < -kBeginnerDamping) s.scrollVelX += kBeginnerDamping;
        if (s.scrollVelX > kBeginnerDamping) s.scrollVelX -= kBeginnerDamping;
    }
    s.scrollVelX = std::clamp(s.scrollVelX, -kMaxShipSpeed, kMaxShipSpeed);
    s.scrollX += core::nearest(s.scrollVelX);
}

}  // namespace engine
