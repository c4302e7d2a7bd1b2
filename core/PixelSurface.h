#pragma once

#include <cstddef>
#include <cstdint>

#include "Bitmap.h"

namespace core {

// A view of 32-bit pixels in screen orientation, whatever the rows' order in
// memory: a plain top-down Bitmap has a positive stride, an image whose rows
// are stored bottom-up has its top row last in memory and a negative stride.
// Canvases and fonts draw through it; it owns nothing.
struct PixelSurface {
    uint32_t* top = nullptr;  // first pixel of the top row as seen on screen
    ptrdiff_t stride = 0;     // pixels from one row to the next one down
    int width = 0;
    int height = 0;

    static PixelSurface of(Bitmap& bitmap) {
        return PixelSurface{bitmap.data(), bitmap.width(), bitmap.width(), bitmap.height()};
    }
    uint32_t* row(int y) const { return top + static_cast<ptrdiff_t>(y) * stride; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace core
