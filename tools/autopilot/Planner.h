#pragma once

#include <optional>
#include <vector>

#include "Cave.h"
#include "Engine.h"

// Routes over the cave on a grid of 4-pixel cells, kept away from rock: a
// cell costs more the closer its ship (and, in tow, its hanging cargo) comes
// to rock. Where no route exists, a route through rock shows what blocks.
namespace autopilot {

struct Load {
    bool towing = false;
    int slack = 4;
    bool upwards = false;  // the cargo hangs above the ship (gravity pulls up)
};

struct Route {
    std::vector<Vec> points;  // world points from the start to the goal
    bool reached = false;
    // Through rock only: the first point of the route where the ship does not fit.
    std::optional<Vec> blockedAt;
};

class Planner {
  public:
    static constexpr int kCell = 4;
    static constexpr int kCells = (Cave::kSize + kCell - 1) / kCell;

    explicit Planner(const Cave& cave) : cave_(cave) {}

    // The margin, in pixels, between rock and the ship (with its cargo in
    // tow) at world point (x, y); negative where it comes closer.
    double clearance(int x, int y, const Load& load) const;
    // Whether the game's own probes find the ship (and its cargo) clear there.
    bool fits(int x, int y, const Load& load) const;

    Route plan(Vec from, Vec goal, const Load& load, bool throughRock);
    // Every cell the ship can reach from `from`, for costTo().
    void reachFrom(Vec from, const Load& load);
    // After plan(): whether a cell holding (x, y) was reached, and at what cost.
    std::optional<double> costTo(int x, int y) const;

  private:
    Route plan(Vec from, std::optional<Vec> goal, const Load& load, bool throughRock);
    double stepCost(int cx, int cy, const Load& load, bool throughRock, bool nearStart) const;

    const Cave& cave_;
    std::vector<double> cost_;
};

}  // namespace autopilot
