#include "levels/Painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "levels/DistanceField.h"
#include "levels/Noise.h"

namespace assetgen::levels {
namespace {

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb rgbOf(core::PixelWord p) {
    return {static_cast<double>(p.red()), static_cast<double>(p.green()),
            static_cast<double>(p.blue())};
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

// Everything the painting passes share.
class Canvas {
  public:
    Canvas(const LevelSource& source, const TerrainMap& terrain)
        : source_(source),
          terrain_(terrain),
          noise_(source.seed),
          width_(terrain.width()),
          height_(terrain.height()),
          colours_(static_cast<size_t>(width_) * static_cast<size_t>(height_)) {
        // How deep inside the rock each pixel lies: the cave's surface is lit,
        // the rock behind it falls into shadow.
        depth_ = distanceField(width_, height_, terrain.mask(Ground::Open), 1.4142f, 64.0f);
    }

    void paintRock();
    void paintVeins();
    void paintCrystals();
    core::Bitmap finish() const;

  private:
    size_t index(int px, int py) const {
        return static_cast<size_t>(py) * static_cast<size_t>(width_) + static_cast<size_t>(px);
    }
    bool isRock(int px, int py) const {
        return terrain_.containsPixel(px, py) && terrain_.at(px, py) == Ground::Rock;
    }
    double depth(int px, int py) const { return depth_[index(px, py)]; }
    Rgb stone(double x, double y) const;
    Rgb rubble(double x, double y) const;
    double floorBelowOpen(int px, int py) const;
    void drawCrystal(double cx, double cy, double size, uint32_t h);

    const LevelSource& source_;
    const TerrainMap& terrain_;
    Noise noise_;
    int width_;
    int height_;
    std::vector<float> depth_;
    std::vector<Rgb> colours_;
};

// Plain rock: large blotches, fine grain and wavy layers choose a shade
// between the source's dark, middle and light stone.
Rgb Canvas::stone(double x, double y) const {
    const double blotch = noise_.fractal(x / 110, y / 110, 4);
    const double grain = noise_.fractal(x / 6, y / 6, 2);
    const double pebbles = noise_.value(x / 2.2, y / 2.2);
    // Layers that bend and pinch out instead of running in straight bands.
    const double wave = 3 * source_.strataSpacing * noise_.fractal(x / 210 + 3.1, y / 210 + 5.3, 2);
    const double layer = std::sin((y + wave) * 2 * std::numbers::pi / source_.strataSpacing);
    const double pinch = 0.5 + 0.5 * noise_.value(x / 70 - 7.7, y / 45 + 1.9);
    double t = 0.5 + 0.6 * blotch + 0.14 * grain + 0.05 * pebbles +
               0.5 * source_.strataStrength * layer * pinch;
    t = std::clamp(t, 0.0, 1.0);
    const Rgb dark = rgbOf(source_.stoneDark);
    const Rgb mid = rgbOf(source_.stoneMid);
    const Rgb light = rgbOf(source_.stoneLight);
    const Rgb shade = t < 0.5 ? mix(dark, mid, t * 2) : mix(mid, light, (t - 0.5) * 2);
    // Fissures: where the noise crosses zero it draws thin winding lines,
    // which read as cracks in the stone.
    const double ridge = 1 - std::abs(noise_.fractal(x / 52 + 9.1, y / 52 - 4.4, 3));
    const double crack = std::clamp((ridge - 0.93) / 0.07, 0.0, 1.0);
    return mix(shade, rgbOf(source_.shadow), 0.75 * crack);
}

// A bomb wall looks like loose rubble packed into the passage: rounded
// stones with dark seams, so that the player can tell it from solid rock.
Rgb Canvas::rubble(double x, double y) const {
    constexpr double kCell = 6.5;
    const double gx = x / kCell;
    const double gy = y / kCell;
    const auto cx = static_cast<int32_t>(std::floor(gx));
    const auto cy = static_cast<int32_t>(std::floor(gy));
    double nearest = 1e9;
    double second = 1e9;
    uint32_t nearestHash = 0;
    for (int32_t j = cy - 1; j <= cy + 1; ++j) {
        for (int32_t i = cx - 1; i <= cx + 1; ++i) {
            const uint32_t h = noise_.hash(i * 7 + 1000003, j * 13 - 77);
            const double px = i + (h & 0xFFFF) / 65535.0;
            const double py = j + (h >> 16) / 65535.0;
            const double d = std::hypot(gx - px, gy - py);
            if (d < nearest) {
                second = nearest;
                nearest = d;
                nearestHash = h;
            } else if (d < second) {
                second = d;
            }
        }
    }
    const Rgb base = rgbOf(source_.rubble);
    if ((second - nearest) * kCell < 1.1) return scaled(base, 0.45);
    const double shade = 0.78 + 0.3 * ((nearestHash >> 5) & 0xFF) / 255.0 - 0.25 * nearest;
    return scaled(base, shade + 0.06 * noise_.value(x / 2.5, y / 2.5));
}

// How much of a floor's top this pixel is: 1 right under open space, fading
// over the first few pixels, 0 where no open space lies just above.
double Canvas::floorBelowOpen(int px, int py) const {
    for (int k = 1; k <= 4; ++k) {
        if (py - k < 0) return 0;
        if (terrain_.at(px, py - k) == Ground::Open) return 1.0 - (k - 1) / 4.0;
    }
    return 0;
}

void Canvas::paintRock() {
    const Rgb light = rgbOf(source_.stoneLight);
    const Rgb moss = rgbOf(source_.moss);
    const Rgb shadow = rgbOf(source_.shadow);
    for (int py = 0; py < height_; ++py) {
        for (int px = 0; px < width_; ++px) {
            const Ground ground = terrain_.at(px, py);
            if (ground == Ground::Open) continue;
            const double x = px + 1.0;
            const double y = py + 1.0;
            const double d = depth(px, py);
            Rgb c = ground == Ground::Wall ? rubble(x, y) : stone(x, y);
            // Light falls in from the cave: the rock darkens with depth, the
            // face just behind the surface catches a bright rim, and the very
            // edge is a dark line. The dark line keeps the step to the black
            // open space small, so JPEG's ripples there stay too weak to
            // make open space look like rock.
            // Darkening mixes towards the source's shadow colour rather than
            // towards black: rock cannot be darker than its blue floor
            // allows, and a shadow of that floor's depth keeps its hue.
            c = mix(c, shadow, 0.6 * (1 - std::exp(-d / 12)));
            if (d <= 1.5) {
                c = mix(c, shadow, 0.6);
            } else if (d <= 5.5) {
                c = mix(c, light, 0.35 * (1 - (d - 1.5) / 5));
            }
            const double floor = floorBelowOpen(px, py);
            if (floor > 0 && ground == Ground::Rock && d > 1.5) {
                const double patchy = 0.55 + 0.45 * noise_.value(x / 9, y / 5);
                c = mix(c, moss, 0.6 * floor * patchy);
            }
            colours_[index(px, py)] = c;
        }
    }
}

// Thin mineral veins wandering through the rock, kept off the cave's surface.
void Canvas::paintVeins() {
    const Rgb vein = mix(rgbOf(source_.accent), rgbOf(source_.stoneDark), 0.45);
    for (int v = 0; v < source_.veins; ++v) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            const uint32_t h = noise_.hash(v * 977 + 11, attempt * 131 + 7);
            const int px = static_cast<int>(h % static_cast<uint32_t>(width_));
            const int py = static_cast<int>((h >> 11) % static_cast<uint32_t>(height_));
            if (!isRock(px, py) || depth(px, py) < 10) continue;
            double x = px;
            double y = py;
            double angle = (h >> 3) % 628 / 100.0;
            const int length = 80 + static_cast<int>((h >> 20) % 160);
            for (int step = 0; step < length; ++step) {
                angle += 0.35 * noise_.value(step / 9.0, v * 3.7);
                x += std::cos(angle);
                y += std::sin(angle);
                const int ix = static_cast<int>(x);
                const int iy = static_cast<int>(y);
                if (!isRock(ix, iy) || depth(ix, iy) < 4) break;
                Rgb& c = colours_[index(ix, iy)];
                c = mix(c, vein, 0.7);
            }
            break;
        }
    }
}

// A cluster of crystal shards growing from one point: each shard a slim
// kite, lit along its ridge and shaded on one flank.
void Canvas::drawCrystal(double cx, double cy, double size, uint32_t h) {
    const Rgb accent = rgbOf(source_.accent);
    // The crystal's glow on the rock around it.
    const double reach = 2.4 * size;
    for (int py = static_cast<int>(cy - reach); py <= static_cast<int>(cy + reach); ++py) {
        for (int px = static_cast<int>(cx - reach); px <= static_cast<int>(cx + reach); ++px) {
            if (!isRock(px, py) || depth(px, py) < 2) continue;
            const double r = std::hypot(px - cx, py - cy) / reach;
            if (r >= 1) continue;
            Rgb& c = colours_[index(px, py)];
            c = mix(c, accent, 0.4 * (1 - r) * (1 - r));
        }
    }
    // The shards fan out towards the open space, growing out of the wall.
    const int ix = static_cast<int>(cx);
    const int iy = static_cast<int>(cy);
    auto depthAt = [&](int x, int y) { return terrain_.containsPixel(x, y) ? depth(x, y) : 64.0; };
    const double gx = depthAt(ix - 4, iy) - depthAt(ix + 4, iy);
    const double gy = depthAt(ix, iy - 4) - depthAt(ix, iy + 4);
    const double outward = (gx == 0 && gy == 0) ? (h % 628) / 100.0 : std::atan2(gy, gx);
    const int shards = 4 + static_cast<int>(h % 4);
    for (int s = 0; s < shards; ++s) {
        const uint32_t sh = noise_.hash(static_cast<int32_t>(h & 0xFFFF), s * 37 + 5);
        const double angle = outward + ((sh % 1000) / 1000.0 - 0.5) * 2.0;
        const double length = size * (0.55 + ((sh >> 13) & 0xFF) / 255.0 * 0.45);
        const double halfWidth = std::max(1.5, length * 0.18);
        const double ux = std::cos(angle);
        const double uy = std::sin(angle);
        const int left = static_cast<int>(cx - length) - 1;
        const int right = static_cast<int>(cx + length) + 1;
        const int top = static_cast<int>(cy - length) - 1;
        const int bottom = static_cast<int>(cy + length) + 1;
        for (int py = top; py <= bottom; ++py) {
            for (int px = left; px <= right; ++px) {
                if (!isRock(px, py) || depth(px, py) < 2) continue;
                const double dx = px - cx;
                const double dy = py - cy;
                const double along = dx * ux + dy * uy;
                const double across = -dx * uy + dy * ux;
                if (along < 0 || along > length) continue;
                // Widest a third of the way out, pointed at the tip.
                const double t = along / length;
                const double width = halfWidth * (t < 0.33 ? 0.4 + 1.8 * t : (1 - t) * 1.5);
                if (std::abs(across) > width) continue;
                const double facet = across > 0 ? 1.15 : 0.7;
                const double ridge = 1 - std::abs(across) / (width + 0.5);
                Rgb c = scaled(accent, facet * (0.75 + 0.35 * ridge) * (0.85 + 0.3 * t));
                colours_[index(px, py)] = c;
            }
        }
    }
}

void Canvas::paintCrystals() {
    for (const Crystal& crystal : source_.crystals) {
        const auto h =
            noise_.hash(static_cast<int32_t>(crystal.x), static_cast<int32_t>(crystal.y));
        // The source gives world points; the picture lies at (1, 1).
        drawCrystal(crystal.x - 1, crystal.y - 1, crystal.size, h);
    }
    // Scattered clusters sit just behind the cave's surface, where the
    // player sees them, never in the rock's depths.
    for (int c = 0; c < source_.scatteredCrystals; ++c) {
        for (int attempt = 0; attempt < 400; ++attempt) {
            const uint32_t h = noise_.hash(c * 7919 + 3, attempt * 613 + 1);
            const int px = static_cast<int>(h % static_cast<uint32_t>(width_));
            const int py = static_cast<int>((h >> 11) % static_cast<uint32_t>(height_));
            if (!isRock(px, py)) continue;
            const double d = depth(px, py);
            if (d < 6 || d > 22) continue;
            drawCrystal(px, py, 8 + (h >> 24) % 10, h);
            break;
        }
    }
}

core::Bitmap Canvas::finish() const {
    core::Bitmap picture(width_, height_);
    auto channel = [](double v, int low, int high) {
        return static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(v)), low, high));
    };
    for (int py = 0; py < height_; ++py) {
        uint32_t* row = picture.row(py);
        for (int px = 0; px < width_; ++px) {
            if (terrain_.at(px, py) == Ground::Open) continue;
            const Rgb c = scaled(colours_[index(px, py)], source_.brightness);
            if (source_.backdrop) {
                row[px] = core::PixelWord::rgb(channel(c.r, 0, 255), channel(c.g, 0, 255),
                                               channel(c.b, 0, 255))
                              .value;
                continue;
            }
            // The edge keeps its blue low, nearer the open space's black.
            const int blueHigh = depth(px, py) <= 1.5 ? kRockEdgeBlueHigh : kRockBlueHigh;
            row[px] = core::PixelWord::rgb(channel(c.r, 0, 255), channel(c.g, 0, 255),
                                           channel(c.b, kRockBlueLow, blueHigh))
                          .value;
        }
    }
    return picture;
}

}  // namespace

core::Bitmap paintPicture(const LevelSource& source, const TerrainMap& terrain) {
    Canvas canvas(source, terrain);
    canvas.paintRock();
    canvas.paintVeins();
    canvas.paintCrystals();
    return canvas.finish();
}

}  // namespace assetgen::levels
