#pragma once

#include <cstdint>
#include <vector>

#include "core/Bitmap.h"

// Where the ship (and the ship with its cargo in tow) can be, and where it
// can get to from a set of places, moving a pixel at a time. All positions
// are world points; the level picture lies at (1, 1).
namespace assetgen::levels {

// The game's rock test on a picture pixel: its canvas value 0x00BBGGRR lies
// strictly between 0x110011 and 0x880000.
bool passesRockTest(core::PixelWord pixel);

// Rock as the game's tests see it, for the world points over the picture;
// everything outside reads as open, as in the game. A margin of open points
// around the picture lets probes be read without bounds checks.
class SolidMap {
  public:
    SolidMap(int width, int height)
        : width_(width),
          height_(height),
          stride_(width + 2 * kMargin),
          cells_(static_cast<size_t>(stride_) * static_cast<size_t>(height + 2 * kMargin), 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    // Any point within kMargin of the picture may be asked; farther ones are
    // outside anything the ship, its cargo or a bomb probes.
    bool solid(int x, int y) const { return inside(x, y) && cells_[index(x, y)] != 0; }
    void set(int x, int y, bool solid) {
        if (x >= 1 && y >= 1 && x <= width_ && y <= height_) cells_[index(x, y)] = solid ? 1 : 0;
    }

  private:
    static constexpr int kMargin = 64;
    bool inside(int x, int y) const {
        return x > -kMargin && y > -kMargin && x < width_ + kMargin && y < height_ + kMargin;
    }
    size_t index(int x, int y) const {
        return static_cast<size_t>(y - 1 + kMargin) * static_cast<size_t>(stride_) +
               static_cast<size_t>(x - 1 + kMargin);
    }
    int width_;
    int height_;
    int stride_;
    std::vector<uint8_t> cells_;
};

// The rock of a decoded level picture.
SolidMap solidOf(const core::Bitmap& picture);

// A set of ship positions over the picture (world points 1..width, 1..height).
class PositionSet {
  public:
    PositionSet(int width, int height)
        : width_(width), height_(height), cells_(static_cast<size_t>(width) * height, 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool has(int x, int y) const { return inside(x, y) && cells_[index(x, y)] != 0; }
    void add(int x, int y) {
        if (inside(x, y)) cells_[index(x, y)] = 1;
    }
    bool empty() const;
    size_t count() const;
    // The positions that are in both sets.
    PositionSet intersect(const PositionSet& other) const;
    bool intersects(const PositionSet& other) const;
    bool touchesEdge() const;

  private:
    bool inside(int x, int y) const { return x >= 1 && y >= 1 && x <= width_ && y <= height_; }
    size_t index(int x, int y) const {
        return static_cast<size_t>(y - 1) * static_cast<size_t>(width_) +
               static_cast<size_t>(x - 1);
    }
    int width_;
    int height_;
    std::vector<uint8_t> cells_;
};

// The ship crashes when two or more of its four probes, at (-6, -10),
// (-6, +5), (+10, -10) and (+10, +5) from its position, are in rock.
bool shipFits(const SolidMap& rock, int x, int y);
// Both probes of the cargo ball whose top-left is at (x, y), at (+16, +6)
// and (+6, +16), are in open space: the cargo takes no damage there.
bool cargoFits(const SolidMap& rock, int x, int y);

// Positions where the ship alone does not crash.
PositionSet shipRoom(const SolidMap& rock);

// The tow line's free play: 4 px on Beginner, 12 on Normal, 24 on Expert.
inline constexpr int kBeginnerSlack = 4;
inline constexpr int kExpertSlack = 24;

// Positions where the ship does not crash and its cargo, hanging on a tow
// line with the given slack, touches no rock: the cargo hangs as far below
// the ship as the slack lets it (above the ship when gravity pulls upwards)
// and swings up to 8 px, but never more than the slack, to either side. The
// cargo's top-left lies at the ship sprite's top-left, (x - 8, y - 10), plus
// that offset.
PositionSet towRoom(const SolidMap& rock, double gravity, int slack);

// Where the cargo's top-left lies, from the ship sprite's top-left, when it
// hangs straight on a taut line with the given slack.
struct HangingOffset {
    int dx;
    int dy;
};
HangingOffset straightHanging(double gravity, int slack);

// Every position connected to a seed through allowed positions, stepping one
// pixel left, right, up or down. Seeds outside `allowed` are ignored.
PositionSet flood(const PositionSet& allowed, const PositionSet& seeds);

}  // namespace assetgen::levels
