#pragma once

#include "core/Bitmap.h"
#include "levels/LevelSource.h"
#include "levels/Terrain.h"

namespace assetgen::levels {

// Rock whose blue lies in this band passes the game's rock test (blue 0x11 ..
// 0x87) with room to spare for JPEG's small colour errors: far enough above
// 0x11 that rock never turns into open space, far enough below 0x88 that no
// highlight becomes a hole the ship could fly through.
inline constexpr int kRockBlueLow = 0x30;
inline constexpr int kRockBlueHigh = 0x60;
// Rock next to open space stays nearer the floor: JPEG ripples are largest
// at the edge, and there they spill into the open pixels beside it.
inline constexpr int kRockEdgeBlueHigh = 0x3C;

// Paints the picture: open space pure black (particles only stop where the
// picture is not black, so nothing may be drawn there), rock and bomb walls
// textured from the source's colours and seed. Every rock pixel's blue ends
// up inside kRockBlueLow .. kRockBlueHigh, except on a backdrop, which is no
// world to fly in.
core::Bitmap paintPicture(const LevelSource& source, const TerrainMap& terrain);

}  // namespace assetgen::levels
