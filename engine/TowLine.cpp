#include "engine/TowLine.h"

namespace engine {
namespace {

constexpr double kSwingDamping = 0.05;
// A slow cargo is nudged back under the ship by this much.
constexpr double kCentring = 0.3;
constexpr double kCentringBelow = 0.5;
constexpr double kLineFriction = 0.09;
// The ship's own sideways motion drags the cargo along by 1/55 of it.
constexpr double kShipDrag = 55;

}  // namespace

void PullTowLine(core::GameState& s, const PlayScene& scene) {
    const int32_t slack = s.towSlack;
    const double cargoPull = s.towCargoPull;
    const double shipPull = s.towShipPull;
    const SpritePlace box = scene.box;

    // Vertically: a positive scrollVelY lifts the ship, so a cargo hanging
    // below pulls the ship down and is itself pulled up.
    if (box.top < kShipTop - slack) {
        s.cargoVelY += cargoPull;
        s.scrollVelY += shipPull;
    }
    if (box.top > kShipTop + slack) {
        s.cargoVelY -= cargoPull;
        s.scrollVelY -= shipPull;
    }

    if (s.cargoVelX < -kSwingDamping) s.cargoVelX += kSwingDamping;
    if (s.cargoVelX > kSwingDamping) s.cargoVelX -= kSwingDamping;
    if (s.cargoVelX > -kCentringBelow && s.cargoVelX < kCentringBelow) {
        if (box.left > kShipLeft) s.cargoVelX -= kCentring;
        if (box.left < kShipLeft) s.cargoVelX += kCentring;
    }

    // Horizontally: a positive scrollVelX moves the ship left.
    if (box.left < kShipLeft - slack) {
        s.cargoVelX += cargoPull;
        s.scrollVelX += shipPull;
    }
    if (box.left > kShipLeft + slack) {
        s.cargoVelX -= cargoPull;
        s.scrollVelX -= shipPull;
    }

    // Two separate tests, as the line always worked: a velocity just above 0
    // drops below it and is lifted back, so it survives unchanged.
    if (s.cargoVelX > 0) s.cargoVelX -= kLineFriction;
    if (s.cargoVelX < 0) s.cargoVelX += kLineFriction;
    s.cargoVelX -= s.scrollVelX / kShipDrag;
}

}  // namespace engine
