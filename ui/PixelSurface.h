#pragma once

#include "core/PixelSurface.h"

namespace ui {

using PixelSurface = core::PixelSurface;

}  // namespace ui
