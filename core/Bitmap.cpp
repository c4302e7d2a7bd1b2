#include "Bitmap.h"

#include <algorithm>
#include <stdexcept>

namespace core {

Bitmap::Bitmap(int width, int height, PixelWord fill) : width_(width), height_(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("Bitmap size cannot be negative");
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill.value);
}

void Bitmap::fill(PixelWord p) {
    std::fill(pixels_.begin(), pixels_.end(), p.value);
}

void Bitmap::fillRect(int x, int y, int w, int h, PixelWord p) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + w, width_);
    const int bottom = std::min(y + h, height_);
    for (int row_y = top; row_y < bottom; ++row_y)
        std::fill(row(row_y) + left, row(row_y) + right, p.value);
}

void Bitmap::blit(const Bitmap& src, int x, int y) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + src.width(), width_);
    const int bottom = std::min(y + src.height(), height_);
    if (left >= right) return;
    for (int row_y = top; row_y < bottom; ++row_y) {
        const uint32_t* from = src.row(row_y - y) + (left - x);
        std::copy(from, from + (right - left), row(row_y) + left);
    }
}

}  // namespace core
