#include "levels/Terrain.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "levels/Noise.h"

namespace assetgen::levels {
namespace {

struct Point {
    double x;
    double y;
};

struct Box {
    double left;
    double top;
    double right;
    double bottom;
};

double squaredDistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = p.x - (a.x + t * dx);
    const double ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

bool insidePolygon(Point p, const std::vector<Point>& corners) {
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point a = corners[i];
        const Point b = corners[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// One shape ready for point tests: its outline as corners or a tunnel's
// centre line, and the box outside which no point can be inside.
struct PreparedShape {
    const Shape* shape;
    std::vector<std::vector<Point>> polygons;
    std::vector<Point> path;
    Box box;

    bool contains(Point p) const {
        const std::vector<double>& n = shape->numbers;
        switch (shape->kind) {
            case ShapeKind::Rect:
                return p.x >= n[0] && p.x < n[0] + n[2] && p.y >= n[1] && p.y < n[1] + n[3];
            case ShapeKind::Circle: {
                const double dx = p.x - n[0];
                const double dy = p.y - n[1];
                return dx * dx + dy * dy <= n[2] * n[2];
            }
            case ShapeKind::Ellipse: {
                const double ex = (p.x - n[0]) / n[2];
                const double ey = (p.y - n[1]) / n[3];
                return ex * ex + ey * ey <= 1;
            }
            case ShapeKind::Tunnel:
                for (size_t i = 0; i + 1 < path.size(); ++i)
                    if (squaredDistanceToSegment(p, path[i], path[i + 1]) <= n[0] * n[0])
                        return true;
                return false;
            case ShapeKind::Polygon:
            case ShapeKind::Spikes:
                for (const auto& polygon : polygons)
                    if (insidePolygon(p, polygon)) return true;
                return false;
        }
        return false;
    }
};

Box boxOf(const std::vector<Point>& points, double margin) {
    Box box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    for (const Point& p : points) {
        box.left = std::min(box.left, p.x - margin);
        box.top = std::min(box.top, p.y - margin);
        box.right = std::max(box.right, p.x + margin);
        box.bottom = std::max(box.bottom, p.y + margin);
    }
    return box;
}

// The first rock straight above (step -1) or below (step +1) a world point,
// or the picture's edge.
double surfaceFrom(const TerrainMap& terrain, double x, double y, int step) {
    int px = static_cast<int>(std::lround(x)) - 1;
    int py = static_cast<int>(std::lround(y)) - 1;
    px = std::clamp(px, 0, terrain.width() - 1);
    while (py >= 0 && py < terrain.height() && terrain.at(px, py) == Ground::Open) py += step;
    return py + 1.0;
}

// Stalactites (positive length: hanging from the rock straight above the
// base line) or stalagmites (negative length: rising from the rock below
// it): slender cones whose places, widths and lengths come from the level's
// seed, rooted a few pixels inside the rock they grow from.
std::vector<std::vector<Point>> spikeOutlines(const Shape& shape, const Noise& noise,
                                              const TerrainMap& terrain, double rootDepth) {
    const std::vector<double>& n = shape.numbers;
    const double left = n[0];
    const double right = n[1];
    const double baseY = n[2];
    const double length = n[3];
    const int count = static_cast<int>(n[4]);
    const int step = length > 0 ? -1 : 1;
    std::vector<std::vector<Point>> outlines;
    for (int i = 0; i < count; ++i) {
        const uint32_t h = noise.hash(shape.line * 131 + i, static_cast<int32_t>(baseY));
        auto share = [h](int shift) { return ((h >> shift) & 0xFF) / 255.0; };
        // Scattered, not spaced: they crowd in places and leave gaps in
        // others. Mostly short, now and then a long one, each a cone about
        // a sixth to a twelfth as wide as it is long, leaning a little.
        const double centre = left + (right - left) * (i + share(0)) / count;
        const double reach = std::abs(length) * (0.25 + 0.75 * share(16) * share(16));
        const double halfWidth = std::max(3.0, reach * (0.09 + 0.08 * share(8)));
        const double lean = (share(24) - 0.5) * 1.2 * halfWidth;
        const double root = surfaceFrom(terrain, centre, baseY, step) + step * rootDepth;
        // The flanks curve in towards a needle tip, as dripping stone grows.
        constexpr int kSteps = 6;
        std::vector<Point> outline;
        for (int k = 0; k <= kSteps; ++k) {
            const double t = static_cast<double>(k) / kSteps;
            outline.push_back({centre + lean * t - halfWidth * std::pow(1 - t, 1.7),
                               root - step * (reach + rootDepth) * t});
        }
        for (int k = kSteps - 1; k >= 0; --k) {
            const double t = static_cast<double>(k) / kSteps;
            outline.push_back({centre + lean * t + halfWidth * std::pow(1 - t, 1.7),
                               root - step * (reach + rootDepth) * t});
        }
        outlines.push_back(std::move(outline));
    }
    return outlines;
}

PreparedShape prepare(const Shape& shape, const Noise& noise, const TerrainMap& terrain,
                      double margin) {
    PreparedShape prepared{&shape, {}, {}, {}};
    const std::vector<double>& n = shape.numbers;
    switch (shape.kind) {
        case ShapeKind::Rect:
            prepared.box = {n[0] - margin, n[1] - margin, n[0] + n[2] + margin,
                            n[1] + n[3] + margin};
            break;
        case ShapeKind::Circle:
            prepared.box = boxOf({{n[0], n[1]}}, n[2] + margin);
            break;
        case ShapeKind::Ellipse:
            prepared.box = {n[0] - n[2] - margin, n[1] - n[3] - margin, n[0] + n[2] + margin,
                            n[1] + n[3] + margin};
            break;
        case ShapeKind::Polygon: {
            std::vector<Point> corners;
            for (size_t i = 0; i + 1 < n.size(); i += 2) corners.push_back({n[i], n[i + 1]});
            prepared.box = boxOf(corners, margin);
            prepared.polygons.push_back(std::move(corners));
            break;
        }
        case ShapeKind::Tunnel:
            for (size_t i = 1; i + 1 < n.size(); i += 2) prepared.path.push_back({n[i], n[i + 1]});
            prepared.box = boxOf(prepared.path, n[0] + margin);
            break;
        case ShapeKind::Spikes: {
            prepared.polygons = spikeOutlines(shape, noise, terrain, margin + 2);
            std::vector<Point> all;
            for (const auto& triangle : prepared.polygons)
                all.insert(all.end(), triangle.begin(), triangle.end());
            prepared.box = boxOf(all, margin);
            break;
        }
    }
    return prepared;
}

}  // namespace

TerrainMap::TerrainMap(int width, int height, Ground fill)
    : width_(width),
      height_(height),
      cells_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

std::vector<uint8_t> TerrainMap::mask(Ground ground) const {
    std::vector<uint8_t> bytes(cells_.size());
    for (size_t i = 0; i < cells_.size(); ++i) bytes[i] = cells_[i] == ground ? 1 : 0;
    return bytes;
}

std::vector<uint8_t> TerrainMap::maskOfOther(Ground ground) const {
    std::vector<uint8_t> bytes(cells_.size());
    for (size_t i = 0; i < cells_.size(); ++i) bytes[i] = cells_[i] != ground ? 1 : 0;
    return bytes;
}

TerrainMap carveTerrain(const LevelSource& source) {
    TerrainMap terrain(source.width, source.height, Ground::Rock);
    const Noise noise(source.seed);
    // Rough edges: a shape is tested at a point pushed about by smooth noise,
    // so its outline wanders like a natural cave wall. All shapes share one
    // push field, so neighbouring shapes stay joined. The push is smooth on
    // a scale of many pixels, so it is worked out on a coarse grid and
    // blended in between.
    const double amplitude = source.roughAmplitude;
    std::vector<Point> pushed;
    if (amplitude > 0) {
        constexpr int kStep = 4;
        const double scale = source.roughScale;
        const int gridWidth = terrain.width() / kStep + 2;
        const int gridHeight = terrain.height() / kStep + 2;
        std::vector<Point> grid;
        grid.reserve(static_cast<size_t>(gridWidth) * static_cast<size_t>(gridHeight));
        for (int gy = 0; gy < gridHeight; ++gy) {
            for (int gx = 0; gx < gridWidth; ++gx) {
                const double x = gx * kStep;
                const double y = gy * kStep;
                grid.push_back({amplitude * noise.fractal(x / scale, y / scale, 3),
                                amplitude * noise.fractal(x / scale + 51.7, y / scale - 23.3, 3)});
            }
        }
        auto at = [&](int gx, int gy) {
            return grid[static_cast<size_t>(gy) * static_cast<size_t>(gridWidth) +
                        static_cast<size_t>(gx)];
        };
        pushed.reserve(static_cast<size_t>(terrain.width()) *
                       static_cast<size_t>(terrain.height()));
        for (int py = 0; py < terrain.height(); ++py) {
            const int y = py + 1;
            const int gy = y / kStep;
            const double ty = static_cast<double>(y - gy * kStep) / kStep;
            for (int px = 0; px < terrain.width(); ++px) {
                const int x = px + 1;
                const int gx = x / kStep;
                const double tx = static_cast<double>(x - gx * kStep) / kStep;
                const Point a = at(gx, gy);
                const Point b = at(gx + 1, gy);
                const Point c = at(gx, gy + 1);
                const Point d = at(gx + 1, gy + 1);
                const double dx =
                    (a.x * (1 - tx) + b.x * tx) * (1 - ty) + (c.x * (1 - tx) + d.x * tx) * ty;
                const double dy =
                    (a.y * (1 - tx) + b.y * tx) * (1 - ty) + (c.y * (1 - tx) + d.y * tx) * ty;
                pushed.push_back({x + dx, y + dy});
            }
        }
    }
    for (const Shape& shape : source.shapes) {
        const double margin = shape.exact ? 1 : amplitude + 1;
        const PreparedShape prepared = prepare(shape, noise, terrain, margin);
        // World point (x, y) is picture pixel (x - 1, y - 1).
        const int left = std::max(0, static_cast<int>(std::floor(prepared.box.left)) - 1);
        const int top = std::max(0, static_cast<int>(std::floor(prepared.box.top)) - 1);
        const int right = std::min(terrain.width() - 1, static_cast<int>(prepared.box.right));
        const int bottom = std::min(terrain.height() - 1, static_cast<int>(prepared.box.bottom));
        for (int py = top; py <= bottom; ++py) {
            for (int px = left; px <= right; ++px) {
                const Point world{px + 1.0, py + 1.0};
                const Point tested =
                    shape.exact || pushed.empty()
                        ? world
                        : pushed[static_cast<size_t>(py) * static_cast<size_t>(terrain.width()) +
                                 static_cast<size_t>(px)];
                if (!prepared.contains(tested)) continue;
                if (shape.fill == Ground::Wall && terrain.at(px, py) != Ground::Open) continue;
                terrain.set(px, py, shape.fill);
            }
        }
    }
    return terrain;
}

}  // namespace assetgen::levels
