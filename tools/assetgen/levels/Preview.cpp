#include "levels/Preview.h"

#include <algorithm>
#include <cstdlib>

#include "levels/Missions.h"
#include "levels/Reachability.h"
#include "platform/Png.h"

namespace assetgen::levels {
namespace {

// Draws on the picture in world points (the picture lies at (1, 1)).
class Overlay {
  public:
    explicit Overlay(core::Bitmap& picture) : picture_(picture) {}

    void dot(int x, int y, core::PixelWord colour) {
        if (picture_.contains(x - 1, y - 1)) picture_.setPixel(x - 1, y - 1, colour);
    }
    void frame(int left, int top, int right, int bottom, core::PixelWord colour) {
        for (int x = left; x <= right; ++x) {
            dot(x, top, colour);
            dot(x, bottom, colour);
        }
        for (int y = top; y <= bottom; ++y) {
            dot(left, y, colour);
            dot(right, y, colour);
        }
    }
    void line(int x0, int y0, int x1, int y1, core::PixelWord colour) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
            dot(x0 + static_cast<int>((x1 - x0) * t + 0.5),
                y0 + static_cast<int>((y1 - y0) * t + 0.5), colour);
        }
    }
    void tint(int x, int y, int red, int green, int blue) {
        if (!picture_.contains(x - 1, y - 1)) return;
        const core::PixelWord p = picture_.pixel(x - 1, y - 1);
        auto add = [](int a, int b) { return static_cast<uint8_t>(std::min(255, a + b)); };
        picture_.setPixel(
            x - 1, y - 1,
            core::PixelWord::rgb(add(p.red(), red), add(p.green(), green), add(p.blue(), blue)));
    }

  private:
    core::Bitmap& picture_;
};

void drawMission(Overlay& overlay, const MissionGeometry& m) {
    using core::PixelWord;
    const PixelWord green = PixelWord::rgb(0, 255, 0);
    overlay.line(m.shipX - 8, m.shipY, m.shipX + 8, m.shipY, green);
    overlay.line(m.shipX, m.shipY - 8, m.shipX, m.shipY + 8, green);
    overlay.frame(m.shipX - 6, m.shipY - 10, m.shipX + 10, m.shipY + 5, green);
    overlay.frame(m.cargoX, m.cargoY, m.cargoX + 15, m.cargoY + 15, PixelWord::rgb(255, 255, 0));
    overlay.frame(m.collectorX, m.collectorY, m.collectorX + 39, m.collectorY + 57,
                  PixelWord::rgb(192, 192, 192));
    overlay.frame(m.collectorX + 1, m.collectorY - 7, m.collectorX + 46, m.collectorY + 46,
                  PixelWord::rgb(255, 255, 255));
    overlay.frame(m.exitX, m.exitY, m.exitX + 56, m.exitY + 64, PixelWord::rgb(255, 0, 0));
    overlay.frame(m.exitX + 1, m.exitY + 1, m.exitX + 49, m.exitY + 49,
                  PixelWord::rgb(255, 150, 0));
    if (!m.hasEnemy) return;
    overlay.frame(m.enemyX, m.enemyY, m.enemyX + 15, m.enemyY + 15, PixelWord::rgb(0, 255, 255));
    for (int i = 1; i <= 6; ++i)
        overlay.line(m.enemyX + 16, m.enemyY + i + 4, m.enemyX + m.beamLength, m.enemyY + i + 2,
                     PixelWord::rgb(170, 60, 255));
}

// The places the ship reached on each leg, on a sparse grid of dots over the
// open space, so that it stays visibly black.
void tintLegs(Overlay& overlay, int x, int y, const Findings& findings) {
    if ((x + y) % 3 != 0 || x % 3 != 0) return;
    const auto& legs = findings.legs;
    if (legs.size() > 0 && legs[0].has(x, y)) overlay.tint(x, y, 0, 90, 90);
    if (legs.size() > 1 && legs[1].has(x, y)) overlay.tint(x, y, 110, 90, 0);
    if (legs.size() > 2 && legs[2].has(x, y)) overlay.tint(x, y, 120, 0, 0);
}

}  // namespace

void writePreview(const std::string& path, const LevelSource& source, const TerrainMap& terrain,
                  const core::Bitmap& decoded, const Findings& findings) {
    core::Bitmap picture = decoded;
    Overlay overlay(picture);
    for (int y = 1; y <= terrain.height(); ++y) {
        for (int x = 1; x <= terrain.width(); ++x) {
            if (terrain.atWorld(x, y) == Ground::Open) {
                tintLegs(overlay, x, y, findings);
            } else if (terrain.atWorld(x, y) == Ground::Wall) {
                const bool edge = terrain.atWorld(x - 1, y) != Ground::Wall ||
                                  terrain.atWorld(x + 1, y) != Ground::Wall ||
                                  terrain.atWorld(x, y - 1) != Ground::Wall ||
                                  terrain.atWorld(x, y + 1) != Ground::Wall;
                if (edge) overlay.dot(x, y, core::PixelWord::rgb(255, 0, 255));
            }
        }
    }
    if (source.mission != 0) drawMission(overlay, missionGeometry(source.mission));
    platform::savePng(picture, path);
}

void writePaintedPreview(const std::string& path, const MissionGeometry& mission,
                         const core::Bitmap& decoded, const Findings& findings) {
    core::Bitmap picture = decoded;
    Overlay overlay(picture);
    const SolidMap rock = solidOf(decoded);
    for (int y = 1; y <= decoded.height(); ++y) {
        for (int x = 1; x <= decoded.width(); ++x) {
            if (rock.solid(x, y))
                overlay.tint(x, y, 0, 0, 70);
            else
                tintLegs(overlay, x, y, findings);
        }
    }
    drawMission(overlay, mission);
    platform::savePng(picture, path);
}

}  // namespace assetgen::levels
