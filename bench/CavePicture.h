#pragma once

#include "core/Bitmap.h"

namespace bench {

// A cave-like level picture for measuring: rock bands with open space
// between them, the size of a level.
inline core::Bitmap cavePicture() {
    constexpr int kLevelSize = 1280;
    core::Bitmap level(kLevelSize, kLevelSize);
    for (int y = 0; y < kLevelSize; ++y)
        for (int x = 0; x < kLevelSize; ++x)
            if ((x / 40 + y / 56) % 3 == 0) level.setPixel(x, y, core::PixelWord::rgb(0x40, 0x30, 0x60));
    return level;
}

}  // namespace bench
