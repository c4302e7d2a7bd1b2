#pragma once

#include "core/Bitmap.h"

// The larger pictures, whose shading is easier to get right in code than by
// hand. Each returns a top-down picture of its listed size; the transparent
// ones are drawn on pure black.
namespace assetgen {

core::Bitmap drawCollectorTank();  // 54 x 78
core::Bitmap drawMenuPanel();      // 200 x 150
core::Bitmap drawExitGate();       // 71 x 77
core::Bitmap drawLandingPad();     // 54 x 46

}  // namespace assetgen
