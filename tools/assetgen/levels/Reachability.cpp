#include "levels/Reachability.h"

#include <algorithm>
#include <array>

namespace assetgen::levels {
namespace {

constexpr int kSwing = 8;

}  // namespace

bool passesRockTest(core::PixelWord pixel) {
    const int32_t canvas = core::toCanvasColor(pixel).value;
    return canvas > 0x110011 && canvas < 0x880000;
}

SolidMap solidOf(const core::Bitmap& picture) {
    SolidMap rock(picture.width(), picture.height());
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px)
            rock.set(px + 1, py + 1, passesRockTest(picture.pixel(px, py)));
    return rock;
}

bool PositionSet::empty() const {
    return std::find(cells_.begin(), cells_.end(), 1) == cells_.end();
}

size_t PositionSet::count() const {
    return static_cast<size_t>(std::count(cells_.begin(), cells_.end(), 1));
}

PositionSet PositionSet::intersect(const PositionSet& other) const {
    PositionSet both(width_, height_);
    for (size_t i = 0; i < cells_.size(); ++i) both.cells_[i] = cells_[i] & other.cells_[i];
    return both;
}

bool PositionSet::intersects(const PositionSet& other) const {
    for (size_t i = 0; i < cells_.size(); ++i)
        if ((cells_[i] & other.cells_[i]) != 0) return true;
    return false;
}

bool PositionSet::touchesEdge() const {
    for (int x = 1; x <= width_; ++x)
        if (has(x, 1) || has(x, height_)) return true;
    for (int y = 1; y <= height_; ++y)
        if (has(1, y) || has(width_, y)) return true;
    return false;
}

bool shipFits(const SolidMap& rock, int x, int y) {
    const int solid = rock.solid(x - 6, y - 10) + rock.solid(x - 6, y + 5) +
                      rock.solid(x + 10, y - 10) + rock.solid(x + 10, y + 5);
    return solid <= 1;
}

bool cargoFits(const SolidMap& rock, int x, int y) {
    return !rock.solid(x + 16, y + 6) && !rock.solid(x + 6, y + 16);
}

PositionSet shipRoom(const SolidMap& rock) {
    PositionSet room(rock.width(), rock.height());
    for (int y = 1; y <= rock.height(); ++y)
        for (int x = 1; x <= rock.width(); ++x)
            if (shipFits(rock, x, y)) room.add(x, y);
    return room;
}

PositionSet towRoom(const SolidMap& rock, double gravity, int slack) {
    const HangingOffset hanging = straightHanging(gravity, slack);
    const int swing = std::min(kSwing, slack);
    // Where the cargo touches no rock, worked out once for every place.
    PositionSet cargoClear(rock.width(), rock.height());
    for (int y = 1; y <= rock.height(); ++y)
        for (int x = 1; x <= rock.width(); ++x)
            if (cargoFits(rock, x, y)) cargoClear.add(x, y);
    // A cargo hanging outside the picture meets nothing there.
    auto clearAt = [&](int x, int y) {
        const bool inside = x >= 1 && y >= 1 && x <= rock.width() && y <= rock.height();
        return !inside || cargoClear.has(x, y);
    };
    PositionSet room(rock.width(), rock.height());
    for (int y = 1; y <= rock.height(); ++y) {
        for (int x = 1; x <= rock.width(); ++x) {
            const int cargoX = x - 8 + hanging.dx;
            const int cargoY = y - 10 + hanging.dy;
            if (clearAt(cargoX - swing, cargoY) && clearAt(cargoX, cargoY) &&
                clearAt(cargoX + swing, cargoY) && shipFits(rock, x, y))
                room.add(x, y);
        }
    }
    return room;
}

HangingOffset straightHanging(double gravity, int slack) {
    return {0, gravity < 0 ? -slack : slack};
}

PositionSet flood(const PositionSet& allowed, const PositionSet& seeds) {
    const int width = allowed.width();
    const int height = allowed.height();
    PositionSet reached(width, height);
    std::vector<std::pair<int, int>> queue;
    for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x) {
            if (seeds.has(x, y) && allowed.has(x, y)) {
                reached.add(x, y);
                queue.emplace_back(x, y);
            }
        }
    }
    // has() reads outside the set as absent, so the edges need no checks.
    auto visit = [&](int x, int y) {
        if (!allowed.has(x, y) || reached.has(x, y)) return;
        reached.add(x, y);
        queue.emplace_back(x, y);
    };
    for (size_t next = 0; next < queue.size(); ++next) {
        const auto [x, y] = queue[next];
        visit(x - 1, y);
        visit(x + 1, y);
        visit(x, y - 1);
        visit(x, y + 1);
    }
    return reached;
}

}  // namespace assetgen::levels
