#pragma once

#include <optional>
#include <string>
#include <utility>

#include "Cave.h"
#include "Planner.h"
#include "SimLink.h"
#include "Snapshot.h"
#include "Steering.h"

// Flies one mission in a running game, from its briefing to "Mission
// Success" or to the last life: to the cargo, hook, tow it over the
// collector, release, and into the exit, bombing the enemy or a wall
// wherever one stands in the way.
namespace autopilot {

struct Outcome {
    bool won = false;
    int livesLost = 0;
    int fuelLeft = 0;
    int seconds = 0;  // mission time at the exit
    int score = 0;
    int bombs = 0;
    std::string note;  // why a mission was not won
};

class Pilot {
  public:
    // `shots`: a folder for a picture of the window every few seconds, or empty.
    Pilot(SimLink& sim, std::string shots) : sim_(sim), planner_(cave_), shots_(std::move(shots)) {}

    // The briefing of the mission is showing.
    Outcome fly();

  private:
    enum class Phase { ToCargo, Tow, Released, ToExit };

    enum class End { Won, Lost, Stuck };
    // One attempt with one life.
    End attempt(Outcome& outcome);
    void startMission();
    void readRock();
    // One mission tick with these keys, then the state after it.
    void tick(const Steer& steer, const std::string& key);
    Load load() const;
    // The next wished-for velocity along the route to `goal`, or the bomb
    // run that clears it; empty text when the route is there.
    std::string routeTo(Vec goal, Load ld, bool& arrived);
    Vec followRoute();
    Vec releasePlace() const;
    Vec hookPlace() const;
    bool nearCargo() const;
    // A place to drop a bomb from that opens the way where `blockedLoad`
    // was blocked at `blockedAt`, reachable with the load the ship has now.
    bool findDrop(Vec blockedAt, const Load& blockedLoad);
    void clearTowLeg(Vec here, Load ld);
    void shoot(const std::string& name);

    SimLink& sim_;
    Cave cave_;
    Planner planner_;
    Steering steering_;
    std::string shots_;
    Snapshot s_;
    int64_t start_ = 0;  // when the mission started, on the link's clock
    int64_t nextTick_ = 0;
    Route route_;
    size_t along_ = 0;
    Vec routeGoal_;
    bool routeTowing_ = false;
    int ticksSincePlan_ = 0;
    bool bombRun_ = false;  // flying to drop_
    Vec drop_;
    int bombs_ = 0;
    // Before the cargo is hooked: from the hooking place to the release place.
    std::optional<std::pair<Vec, Vec>> towLeg_;
    bool lookedAhead_ = false;
    int shotCount_ = 0;
};

}  // namespace autopilot
