#pragma once

#include <cstdint>
#include <vector>

#include "levels/LevelSource.h"

namespace assetgen::levels {

// What each pixel of a level picture is meant to be: open space, rock, or a
// bomb wall. It is the source's intent, drawn before any texture or JPEG
// compression, and the yardstick the validator holds the shipped picture to.
class TerrainMap {
  public:
    TerrainMap(int width, int height, Ground fill);

    int width() const { return width_; }
    int height() const { return height_; }

    // By picture pixel.
    Ground at(int px, int py) const { return cells_[index(px, py)]; }
    void set(int px, int py, Ground ground) { cells_[index(px, py)] = ground; }
    bool containsPixel(int px, int py) const {
        return px >= 0 && py >= 0 && px < width_ && py < height_;
    }
    // By world point: the picture lies at (1, 1) in the world, and the game
    // reads everything outside it as open space.
    Ground atWorld(int x, int y) const {
        return containsPixel(x - 1, y - 1) ? at(x - 1, y - 1) : Ground::Open;
    }

    // One byte per pixel, rows top-down: 1 where the ground is `ground`.
    std::vector<uint8_t> mask(Ground ground) const;
    // One byte per pixel, rows top-down: 1 where the ground is not `ground`.
    std::vector<uint8_t> maskOfOther(Ground ground) const;

  private:
    size_t index(int px, int py) const {
        return static_cast<size_t>(py) * static_cast<size_t>(width_) + static_cast<size_t>(px);
    }
    int width_;
    int height_;
    std::vector<Ground> cells_;
};

// Starts from solid rock and applies the source's shapes in order.
TerrainMap carveTerrain(const LevelSource& source);

}  // namespace assetgen::levels
