#include "Steering.h"

#include <algorithm>
#include <cmath>

namespace autopilot {
namespace {

// How much of the gap to the wished-for velocity one mission tick closes.
constexpr double kGain = 0.3;
constexpr double kSlack = 0.3;
constexpr double kBeginnerDamping = 0.05;
constexpr double kMostDebt = 2.5;

double angleBetween(Vec a, Vec b) {
    const double la = length(a);
    const double lb = length(b);
    if (la == 0 || lb == 0) return M_PI;
    return std::acos(std::clamp(dot(a, b) / (la * lb), -1.0, 1.0));
}

// The tug a taut tow line gives the ship in the coming mission tick: the
// game tests where the cargo was placed at the end of the last one.
Vec towPull(const Snapshot& s) {
    if (!s.towing || s.cargoReleased) return {};
    const double dx = s.cargoX - (s.x() - 8);
    const double dy = s.cargoY - (s.y() - 10);
    Vec pull;
    if (dx < -s.towSlack) pull.x -= s.towShipPull;
    if (dx > s.towSlack) pull.x += s.towShipPull;
    if (dy < -s.towSlack) pull.y -= s.towShipPull;
    if (dy > s.towSlack) pull.y += s.towShipPull;
    return pull;
}

}  // namespace

Steer Steering::toward(const Snapshot& s, Vec wanted, int turnTicks) {
    const Vec v{s.vx(), s.vy()};
    // Small velocity errors are left alone: chasing them costs fuel on every tick.
    const Vec error = wanted - v;
    const double size = length(error);
    Vec need = size > kSlack ? error * (kGain * (size - kSlack) / size) : Vec{};
    need.y -= s.gravity;
    need = need - towPull(s);
    // Beginners drift to a stop sideways: keeping a speed costs that much.
    if (s.difficulty == 1 && std::abs(v.x) > kBeginnerDamping)
        need.x += v.x > 0 ? kBeginnerDamping : -kBeginnerDamping;
    debt_ = debt_ + need;
    if (length(debt_) > kMostDebt) debt_ = debt_ * (kMostDebt / length(debt_));

    // The reachable heading whose push points most nearly along the debt.
    Steer best;
    double bestAngle = angleBetween(thrustAt(s.shipAngle), debt_);
    for (int dir : {-1, 1}) {
        int heading = s.shipAngle;
        for (int k = 1; k <= turnTicks; ++k) {
            heading = dir < 0 ? turnedLeft(heading) : turnedRight(heading);
            const double angle = angleBetween(thrustAt(heading), debt_);
            if (angle < bestAngle - 1e-9) {
                bestAngle = angle;
                best.turnSteps = dir * k;
            }
        }
    }
    int heading = s.shipAngle;
    for (int k = 0; k < std::abs(best.turnSteps); ++k)
        heading = best.turnSteps < 0 ? turnedLeft(heading) : turnedRight(heading);
    const Vec push = thrustAt(heading);
    if (2 * dot(debt_, push) > dot(push, push)) {
        best.fire = true;
        debt_ = debt_ - push;
    }
    return best;
}

}  // namespace autopilot
