#include "Planner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <queue>

namespace autopilot {
namespace {

constexpr double kUnreached = std::numeric_limits<double>::infinity();
constexpr double kShipHalf = 9;   // the ship's probe box, half its side and a pixel
constexpr double kCargoHalf = 9;  // the cargo ball, likewise
constexpr double kNearRock = 12;  // how strongly routes keep off rock
constexpr double kTightSpot = 20;
constexpr double kThroughRock = 300;

int cellOf(double world) {
    return std::clamp(static_cast<int>(world) / Planner::kCell, 0, Planner::kCells - 1);
}
int centreOf(int cell) {
    return cell * Planner::kCell + Planner::kCell / 2;
}

}  // namespace

double Planner::clearance(int x, int y, const Load& load) const {
    double margin = cave_.distance(x + 2, y - 2) - kShipHalf;
    if (!load.towing) return margin;
    // The cargo's centre hangs from straight under the ship down to a little
    // past the line's free play, and swings to either side.
    const int swing = std::min(8, load.slack);
    const int reach = load.slack + 6;
    for (int dy = 0; dy <= reach; dy += 3) {
        const int cy = y - 2 + (load.upwards ? -dy : dy);
        margin = std::min(margin, cave_.distance(x, cy) - kCargoHalf - swing);
    }
    return margin;
}

bool Planner::fits(int x, int y, const Load& load) const {
    const auto& rock = cave_.rock();
    if (!assetgen::levels::shipFits(rock, x, y)) return false;
    if (!load.towing) return true;
    const int dy = load.upwards ? -load.slack : load.slack;
    return assetgen::levels::cargoFits(rock, x - 8, y - 10 + dy);
}

double Planner::stepCost(int cx, int cy, const Load& load, bool throughRock, bool nearStart) const {
    const int x = centreOf(cx);
    const int y = centreOf(cy);
    const double margin = clearance(x, y, load);
    if (margin >= 0) return 1 + kNearRock / (1 + margin);
    if (fits(x, y, load)) return kTightSpot - margin;
    // A ship in a tight spot, its cell centre in rock, must still find its way out.
    return throughRock || nearStart ? kThroughRock : kUnreached;
}

void Planner::reachFrom(Vec from, const Load& load) {
    plan(from, std::nullopt, load, false);
}

Route Planner::plan(Vec from, Vec goal, const Load& load, bool throughRock) {
    return plan(from, std::optional<Vec>(goal), load, throughRock);
}

Route Planner::plan(Vec from, std::optional<Vec> goal, const Load& load, bool throughRock) {
    const int n = kCells;
    cost_.assign(static_cast<size_t>(n) * n, kUnreached);
    std::vector<int> previous(static_cast<size_t>(n) * n, -1);
    auto index = [](int cx, int cy) { return cy * kCells + cx; };
    const int start = index(cellOf(from.x), cellOf(from.y));
    const int target = goal ? index(cellOf(goal->x), cellOf(goal->y)) : -1;

    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    cost_[static_cast<size_t>(start)] = 0;
    open.emplace(0, start);
    while (!open.empty()) {
        const auto [c, here] = open.top();
        open.pop();
        if (c > cost_[static_cast<size_t>(here)]) continue;
        if (here == target) break;
        const int hx = here % n;
        const int hy = here / n;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = hx + dx;
                const int ny = hy + dy;
                if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= n || ny >= n) continue;
                const bool nearStart =
                    std::abs(nx - start % n) <= 2 && std::abs(ny - start / n) <= 2;
                const double step = stepCost(nx, ny, load, throughRock, nearStart);
                if (step == kUnreached) continue;
                const double next = c + step * ((dx != 0 && dy != 0) ? 1.4142 : 1.0);
                const int there = index(nx, ny);
                if (next < cost_[static_cast<size_t>(there)]) {
                    cost_[static_cast<size_t>(there)] = next;
                    previous[static_cast<size_t>(there)] = here;
                    open.emplace(next, there);
                }
            }
        }
    }

    Route route;
    if (target < 0 || cost_[static_cast<size_t>(target)] == kUnreached) return route;
    route.reached = true;
    std::vector<int> cells;
    for (int at = target; at != -1; at = previous[static_cast<size_t>(at)]) cells.push_back(at);
    std::reverse(cells.begin(), cells.end());
    route.points.push_back(from);
    for (size_t i = 1; i + 1 < cells.size(); ++i) {
        const Vec p{static_cast<double>(centreOf(cells[i] % n)),
                    static_cast<double>(centreOf(cells[i] / n))};
        route.points.push_back(p);
        if (throughRock && !route.blockedAt &&
            !fits(static_cast<int>(p.x), static_cast<int>(p.y), load))
            route.blockedAt = p;
    }
    route.points.push_back(*goal);
    return route;
}

std::optional<double> Planner::costTo(int x, int y) const {
    if (cost_.empty()) return std::nullopt;
    const double c = cost_[static_cast<size_t>(cellOf(y) * kCells + cellOf(x))];
    if (c == kUnreached) return std::nullopt;
    return c;
}

}  // namespace autopilot
