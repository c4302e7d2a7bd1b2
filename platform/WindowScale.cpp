#include "platform/WindowScale.h"

#include <algorithm>

namespace platform {
namespace {

// Rounds towards minus infinity, so that the bar left of the picture maps
// left of the client area.
int floorDiv(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

WindowScale WindowScale::fit(Size client, Size space) {
    WindowScale scale;
    if (client.width <= 0 || client.height <= 0) return scale;
    scale.factor = std::max(1, std::min(space.width / client.width, space.height / client.height));
    scale.offsetX = std::max(0, (space.width - client.width * scale.factor) / 2);
    scale.offsetY = std::max(0, (space.height - client.height * scale.factor) / 2);
    return scale;
}

Rect WindowScale::toWindow(const Rect& client) const {
    return Rect{offsetX + client.left * factor, offsetY + client.top * factor,
                offsetX + client.right * factor, offsetY + client.bottom * factor};
}

int WindowScale::toClientX(int x) const { return floorDiv(x - offsetX, factor); }

int WindowScale::toClientY(int y) const { return floorDiv(y - offsetY, factor); }

void Enlarge(const core::Bitmap& frame, const Rect& area, int factor, uint32_t* target,
             ptrdiff_t pitch) {
    const size_t width = static_cast<size_t>(area.width()) * static_cast<size_t>(factor);
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* from = frame.row(y) + area.left;
        uint32_t* first = target + static_cast<ptrdiff_t>(y - area.top) * factor * pitch;
        for (int x = 0; x < area.width(); ++x)
            std::fill_n(first + static_cast<ptrdiff_t>(x) * factor, factor, from[x]);
        // The other rows of the same game row are copies of the first.
        for (int k = 1; k < factor; ++k) std::copy_n(first, width, first + k * pitch);
    }
}

}  // namespace platform
