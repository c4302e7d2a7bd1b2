#pragma once

#include "core/Bitmap.h"
#include "tools/assetgen/pictures/Paint.h"

// Steel parts of the frames that the collector tank and the landing pad
// stand on. These sprites are shown at 75 %, which drops every fourth row and
// column, so every part is at least two pixels thick to survive that.
namespace assetgen::steelwork {

// A leg running from (topX, topY) down to (footX, footY), `thickness`
// columns wide, lit on its left edge and shaded on its right.
void leg(core::Bitmap& picture, int topX, int topY, int footX, int footY, int thickness,
         paint::Shade base);

// A diagonal brace two pixels tall from (x0, y0) to (x1, y1).
void brace(core::Bitmap& picture, int x0, int y0, int x1, int y1, paint::Shade base);

// A horizontal girder: lit top row, plain middle, shaded bottom row.
void girder(core::Bitmap& picture, int x, int y, int w, int h, paint::Shade base);

// A flat foot pad centred under a leg, resting on row `bottom`.
void footPad(core::Bitmap& picture, int centreX, int bottom, int w, paint::Shade base);

}  // namespace assetgen::steelwork
