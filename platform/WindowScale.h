#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Bitmap.h"
#include "platform/Geometry.h"

namespace platform {

// Where the game's fixed client area sits in a window that may be larger (a
// large screen, full screen): enlarged by a whole factor, so that every game
// pixel stays a sharp square, and centred with black bars around it.
struct WindowScale {
    int factor = 1;
    int offsetX = 0;
    int offsetY = 0;

    // The largest whole factor, at least 1, at which `client` fits into
    // `space`, centred in it.
    static WindowScale fit(Size client, Size space);
    // The window pixels a client rectangle covers.
    Rect toWindow(const Rect& client) const;
    // The client pixel under window pixel (x, y); the bars lie outside the
    // client area.
    int toClientX(int x) const;
    int toClientY(int y) const;
};

// Writes `area` of `frame` enlarged by `scale.factor` into `target`, 32-bit
// pixels `pitch` pixels apart, whose top-left pixel is the window pixel where
// the enlarged area begins.
void Enlarge(const core::Bitmap& frame, const Rect& area, int factor, uint32_t* target,
             ptrdiff_t pitch);

}  // namespace platform
