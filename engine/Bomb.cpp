#include "engine/Bomb.h"

#include "core/Nearest.h"
#include "engine/FreeFall.h"

namespace engine {
namespace {

// The bomb falls the same way in every mission, whatever the cave's gravity.
constexpr double kBombGravity = 0.2;
constexpr double kMaxBombSpeed = 7;

// The bomb's velocity is a world velocity, the ship's a scroll velocity: the
// signs flip. A still component stays a plain 0.
double worldVelocity(double scrollVelocity) {
    return scrollVelocity == 0 ? 0.0 : -scrollVelocity;
}

}  // namespace

void DropBomb(core::GameState& s, PlayScene& scene) {
    s.bombFlying = true;
    s.bombX = 296 - s.scrollX;
    s.bombY = 130 - s.scrollY;
    s.bombVelY = worldVelocity(s.scrollVelY);
    s.bombVelX = worldVelocity(s.scrollVelX);
    // The first step goes against the horizontal velocity, unlike every later
    // one: the bomb leaves the ship with a kick backwards.
    s.bombX -= core::nearest(s.bombVelX);
    s.bombY += core::nearest(s.bombVelY);
    scene.bomb = OnScreen(s.bombX, s.bombY, s);
    scene.bombVisible = true;
}

void BombFlight(core::GameState& s, PlayScene& scene) {
    FallOneTick(s.bombX, s.bombY, s.bombVelX, s.bombVelY, kBombGravity, kMaxBombSpeed, scene.bomb,
                s);
}

}  // namespace engine
