#include "Engine.h"

#include <array>
#include <cmath>

#include "core/GameState.h"
#include "engine/Flight.h"

namespace autopilot {

double length(Vec v) { return std::hypot(v.x, v.y); }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

Vec thrustAt(int heading) {
    static const std::array<Vec, 360> table = [] {
        std::array<Vec, 360> t{};
        for (int a = 0; a < 360; ++a) {
            core::GameState s;
            s.shipAngle = a;
            s.scrollVelX = 0;
            s.scrollVelY = 0;
            engine::ApplyEngineForce(s);
            // A positive scrollVelY lifts the ship, a positive scrollVelX moves it left.
            t[static_cast<size_t>(a)] = {-s.scrollVelX, -s.scrollVelY};
        }
        return t;
    }();
    return table[static_cast<size_t>(((heading % 360) + 360) % 360)];
}

// The wrap is not modular: from 1 a left step gives 359, from 358 a right step 0.
int turnedLeft(int heading) { return heading - 3 < 0 ? 359 : heading - 3; }
int turnedRight(int heading) { return heading + 3 > 359 ? 0 : heading + 3; }

}  // namespace autopilot
