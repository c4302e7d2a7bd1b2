#include "levels/BombWear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/Random.h"
#include "effects/ParticlePass.h"
#include "levels/Reachability.h"

namespace assetgen::levels {
namespace {

// How far around the wall the simulation looks: fast particles fly on until
// they hit rock, but only the ones near the wall wear anything that matters.
constexpr int kMargin = 100;
constexpr int kFramesPerBomb = 90;

struct Particle {
    double posX;
    double posY;
    double velX;
    double velY;
    double speed;
    int x;
    int y;
    int age;
};

// Leaves the game's random sequence as it found it.
class SeedKeeper {
  public:
    explicit SeedKeeper(uint32_t seed) : saved_(core::RandSeed()) { core::SetRandSeed(seed); }
    ~SeedKeeper() { core::SetRandSeed(saved_); }
    SeedKeeper(const SeedKeeper&) = delete;
    SeedKeeper& operator=(const SeedKeeper&) = delete;

  private:
    uint32_t saved_;
};

// The part of the game's effect buffer around the wall. The buffer holds the
// level picture at (1, 1), so its points are world points; its outermost
// rows and columns are never written.
class WearWindow {
  public:
    WearWindow(const core::Bitmap& picture, const WallBox& wall)
        : bufferWidth_(picture.width()),
          bufferHeight_(picture.height()),
          left_(std::max(0, wall.left - kMargin)),
          top_(std::max(0, wall.top - kMargin)),
          right_(std::min(bufferWidth_ - 1, wall.right + kMargin)),
          bottom_(std::min(bufferHeight_ - 1, wall.bottom + kMargin)),
          width_(right_ - left_ + 1),
          buffer_(static_cast<size_t>(width_) * static_cast<size_t>(bottom_ - top_ + 1), 0) {
        for (int y = top_; y <= bottom_; ++y)
            for (int x = left_; x <= right_; ++x)
                if (x >= 1 && y >= 1) buffer_[index(x, y)] = picture.pixel(x - 1, y - 1).value;
        collision_ = buffer_;
        shown_ = buffer_;
    }

    bool contains(int x, int y) const {
        return x >= left_ && x <= right_ && y >= top_ && y <= bottom_;
    }

    void putPixel(int x, int y, uint32_t value) {
        if (x < 1 || y < 1 || x > bufferWidth_ - 2 || y > bufferHeight_ - 2) return;
        if (contains(x, y)) buffer_[index(x, y)] = value;
    }
    // Outside the window the particle is gone, so nothing there is read.
    uint32_t collision(int x, int y) const { return contains(x, y) ? collision_[index(x, y)] : 0; }
    uint32_t shown(int x, int y) const { return contains(x, y) ? shown_[index(x, y)] : 1; }
    bool shownSolid(int x, int y) const {
        return contains(x, y) && passesRockTest(core::PixelWord{shown_[index(x, y)]});
    }
    void handOver() { shown_ = buffer_; }

  private:
    size_t index(int x, int y) const {
        return static_cast<size_t>(y - top_) * static_cast<size_t>(width_) +
               static_cast<size_t>(x - left_);
    }
    int bufferWidth_;
    int bufferHeight_;
    int left_;
    int top_;
    int right_;
    int bottom_;
    int width_;
    std::vector<uint32_t> buffer_;
    std::vector<uint32_t> collision_;
    std::vector<uint32_t> shown_;
};

// Four bomb bursts of 500 particles each around the bomb's top-left.
void explode(std::vector<Particle>& particles, int bombX, int bombY) {
    for (int request = 0; request < 4; ++request) {
        for (int k = 501; k <= 1000; ++k) {
            const int y = bombY + 2 + core::Random(18);
            const double angle = core::Random(1000) / 1000.0 * k;
            const double whole = core::Random(5);
            const double speed = whole + core::Random(1000) / 1000.0;
            const int x = bombX - 4 + core::Random(18);
            core::Random(100);  // the particle's mass, unused here
            const double a = angle * std::numbers::pi / 180;
            particles.push_back({static_cast<double>(x), static_cast<double>(y),
                                 std::sin(a) * speed, -std::cos(a) * speed, speed, x, y, 0});
        }
    }
}

// One frame tick's particle pass: erase, move, draw, and let the particles
// that hit unworn rock die, blackening where they died.
void particlePass(std::vector<Particle>& particles, WearWindow& window) {
    for (const Particle& p : particles) window.putPixel(p.x, p.y, 0);
    for (Particle& p : particles) {
        p.posX += p.velX;
        p.posY += p.velY;
        p.x = static_cast<int>(std::trunc(p.posX));
        p.y = static_cast<int>(std::trunc(p.posY));
        ++p.age;
    }
    for (size_t n = particles.size(); n-- > 0;) {
        Particle& p = particles[n];
        window.putPixel(p.x, p.y, effects::ParticleColour(p.speed));
        bool remove = false;
        if (!window.contains(p.x, p.y)) {
            remove = true;
        } else if (core::Random(50) + 10 >= p.age || p.speed >= 2.0) {
            const int32_t c =
                core::toCanvasColor(core::PixelWord{window.collision(p.x, p.y)}).value;
            if (c > 17 && c < 0xFFFFFF) {
                const uint32_t below = window.shown(p.x + 1, p.y + 1);
                remove = below != 0;
            }
        } else {
            remove = true;
        }
        if (remove && particles.size() > 1) {
            window.putPixel(p.x, p.y, 0);
            particles.erase(particles.begin() + static_cast<std::ptrdiff_t>(n));
        }
    }
    window.handOver();
}

// Whether the ship, starting just above the wall's middle, can get below
// the wall without leaving the window.
bool shipGetsThrough(const WearWindow& window, const WallBox& wall) {
    auto fits = [&](int x, int y) {
        if (!window.contains(x - 6, y - 10) || !window.contains(x + 10, y + 5)) return false;
        const int solid = window.shownSolid(x - 6, y - 10) + window.shownSolid(x - 6, y + 5) +
                          window.shownSolid(x + 10, y - 10) + window.shownSolid(x + 10, y + 5);
        return solid <= 1;
    };
    const int startX = (wall.left + wall.right) / 2;
    const int startY = wall.top - 14;
    if (!fits(startX, startY)) return false;
    const int left = wall.left - kMargin;
    const int top = wall.top - kMargin;
    const int width = wall.right - wall.left + 1 + 2 * kMargin;
    const int height = wall.bottom - wall.top + 1 + 2 * kMargin;
    std::vector<uint8_t> seen(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    auto mark = [&](int x, int y) {
        const size_t i = static_cast<size_t>(y - top) * static_cast<size_t>(width) +
                         static_cast<size_t>(x - left);
        if (seen[i]) return false;
        seen[i] = 1;
        return true;
    };
    std::vector<std::pair<int, int>> queue{{startX, startY}};
    mark(startX, startY);
    for (size_t next = 0; next < queue.size(); ++next) {
        const auto [x, y] = queue[next];
        if (y - 10 > wall.bottom) return true;
        const std::array<std::pair<int, int>, 4> steps{
            {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}};
        for (const auto& [nx, ny] : steps) {
            if (nx < left || ny < top || nx >= left + width || ny >= top + height) continue;
            if (!fits(nx, ny) || !mark(nx, ny)) continue;
            queue.emplace_back(nx, ny);
        }
    }
    return false;
}

}  // namespace

BombTrial dropBombs(const core::Bitmap& picture, const WallBox& wall, int maxBombs) {
    const SeedKeeper seed(static_cast<uint32_t>(wall.left * 7919 + wall.top));
    WearWindow window(picture, wall);
    BombTrial trial;
    trial.closedBefore = !shipGetsThrough(window, wall);
    if (!trial.closedBefore) return trial;
    const int bombX = (wall.left + wall.right) / 2 - 3;
    for (int bomb = 1; bomb <= maxBombs; ++bomb) {
        // The bomb falls from above the wall until one of the three probes
        // on its lower edge meets rock.
        int bombY = wall.top - 40;
        while (bombY < wall.bottom + kMargin && !window.shownSolid(bombX, bombY + 10) &&
               !window.shownSolid(bombX + 3, bombY + 10) &&
               !window.shownSolid(bombX + 6, bombY + 10))
            ++bombY;
        std::vector<Particle> particles;
        explode(particles, bombX, bombY);
        for (int frame = 0; frame < kFramesPerBomb && particles.size() > 1; ++frame)
            particlePass(particles, window);
        if (shipGetsThrough(window, wall)) {
            trial.bombsNeeded = bomb;
            return trial;
        }
    }
    return trial;
}

}  // namespace assetgen::levels
