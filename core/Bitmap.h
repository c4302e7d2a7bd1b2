#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Colors.h"

namespace core {

// A plain 32-bit picture, rows top-down, one 0xAARRGGBB word per pixel. The
// window frame, decoded JPEG pictures and the effect buffer are all Bitmaps.
class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelWord fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }

    uint32_t* row(int y) {
        return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    }
    const uint32_t* row(int y) const {
        return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    }
    uint32_t* data() { return pixels_.data(); }
    const uint32_t* data() const { return pixels_.data(); }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    PixelWord pixel(int x, int y) const { return PixelWord{row(y)[x]}; }
    void setPixel(int x, int y, PixelWord p) { row(y)[x] = p.value; }

    void fill(PixelWord p);
    // Fills the part of the rectangle (x, y, w, h) that lies inside the picture.
    void fillRect(int x, int y, int w, int h, PixelWord p);
    // Copies src with its top-left corner at (x, y), cut to this picture.
    void blit(const Bitmap& src, int x, int y);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace core
