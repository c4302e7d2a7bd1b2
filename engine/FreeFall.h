#pragma once

#include <algorithm>

#include "core/GameState.h"
#include "core/Nearest.h"
#include "engine/PlayScene.h"

namespace engine {

// One mission tick of a falling object (the cargo, the bomb): gravity, the
// speed limit on each axis, then each axis moved in whole pixels with its
// sprite following at once.
inline void FallOneTick(int32_t& x, int32_t& y, double& velX, double& velY, double gravity,
                        double maxSpeed, SpritePlace& sprite, const core::GameState& s) {
    velY += gravity;
    velX = std::clamp(velX, -maxSpeed, maxSpeed);
    velY = std::clamp(velY, -maxSpeed, maxSpeed);
    x += core::nearest(velX);
    sprite.left = x + s.scrollX;
    y += core::nearest(velY);
    sprite.top = y + s.scrollY;
}

}  // namespace engine
