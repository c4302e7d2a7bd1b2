#pragma once

#include "core/Bitmap.h"

namespace assetgen::levels {

// The box around one bomb wall, in world points, both ends included.
struct WallBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct BombTrial {
    bool closedBefore = false;  // the ship could not pass before any bomb fell
    int bombsNeeded = 0;        // bombs after which the ship fits through; 0 if never
};

// Drops bombs one after another straight down onto the middle of a bomb wall
// in the given level picture and lets each explosion wear the rock as the
// game's particles do: 4 x 500 particles spread from the bomb at speeds
// 0 .. 5 px per frame, and a particle that lands on rock whose pixel below
// and to the right is not yet black is removed and blackens its pixel. After
// each bomb it checks whether the ship fits from above the wall to below it.
// The wall is meant to be a floor across a shaft: open above and below.
BombTrial dropBombs(const core::Bitmap& picture, const WallBox& wall, int maxBombs);

}  // namespace assetgen::levels
