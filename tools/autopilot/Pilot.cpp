#include "Pilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "Release.h"

namespace autopilot {
namespace {

constexpr int64_t kMissionTickMs = 100;
constexpr int64_t kControlTickMs = 16;
constexpr int kLongestAttemptTicks = 6000;  // ten minutes of mission time
constexpr int kReplanTicks = 10;
constexpr double kOffRoute = 24;
constexpr double kLookAhead = 16;
constexpr double kBraking = 0.15;
constexpr int kMostBombs = 12;
// Mission ticks to hover after a bomb burst while its particles eat the rock.
constexpr int kSettleTicks = 15;
constexpr int kReleaseWaitTicks = 50;

double distance(Vec a, Vec b) { return length(a - b); }

}  // namespace

Outcome Pilot::fly() {
    Outcome outcome;
    for (;;) {
        startMission();
        const End end = attempt(outcome);
        if (end != End::Lost) return outcome;
        ++outcome.livesLost;
        // The countdown after a loss, then the briefing again or the end of the game.
        sim_.wait(4000);
        const std::string briefing = sim_.ask("control diblabel5");
        if (briefing.find("\"Visible\":true") == std::string::npos) {
            outcome.note += " (game over)";
            return outcome;
        }
    }
}

void Pilot::startMission() {
    sim_.releaseAll();
    sim_.send("click diblabel5");
    start_ = sim_.now();
    nextTick_ = start_ + kMissionTickMs;
    sim_.waitUntil(nextTick_);
    nextTick_ += kMissionTickMs;
    s_ = parseSnapshot(sim_.ask("dump"));
    if (!s_.missionTimerOn) throw std::runtime_error("the mission did not start");
    steering_.forget();
    bombRun_ = false;
    readRock();
}

void Pilot::readRock() {
    lookedAhead_ = false;
    cave_.take(sim_.ask("rock 0 0 " + std::to_string(Cave::kSize) + " " +
                        std::to_string(Cave::kSize)));
    cave_.setBeam(s_.enemyX, s_.enemyY, s_.beamLength, !s_.enemyGone);
    cave_.refresh();
    route_.points.clear();
}

void Pilot::tick(const Steer& steer, const std::string& key) {
    const int64_t due = nextTick_;
    // The control ticks that run before the mission tick, on their own beat
    // from the start of the mission.
    std::vector<int64_t> control;
    for (int64_t k = (sim_.now() - start_) / kControlTickMs + 1;
         start_ + k * kControlTickMs < due; ++k)
        control.push_back(start_ + k * kControlTickMs);
    const int n = static_cast<int>(control.size());
    const int turns = std::min(std::abs(steer.turnSteps), n);
    const std::string arrow = steer.turnSteps < 0 ? "left" : "right";

    if (turns > 0) sim_.press(arrow);
    if (!key.empty()) sim_.press(key);
    // Any key let go stops the engine until the next control tick, so the
    // arrow is let go before the last control tick, which lights the engine.
    if (turns > 0 && turns < n) {
        sim_.waitUntil(control[static_cast<size_t>(turns - 1)]);
        sim_.release(arrow);
    }
    if (steer.fire && n > 0) {
        // Space for one control tick only: a unit of fuel for a tick of push.
        if (n >= 2) sim_.waitUntil(control[static_cast<size_t>(n - 2)]);
        sim_.press("space");
    }
    sim_.waitUntil(due);
    sim_.releaseAll();
    nextTick_ += kMissionTickMs;
    const int before = s_.missionTicks;
    s_ = parseSnapshot(sim_.ask("dump"));
    if (s_.missionTimerOn && s_.missionTicks != (before + 1) % 10001)
        throw std::runtime_error("the pilot lost the beat of the mission tick");
}

Load Pilot::load() const {
    Load ld;
    ld.towing = s_.towing && !s_.cargoReleased;
    ld.slack = s_.towSlack;
    ld.upwards = s_.gravity < 0;
    return ld;
}

bool Pilot::findDrop(Vec blocked, const Load& blockedLoad) {
    const int bx0 = static_cast<int>(blocked.x);
    const int by0 = static_cast<int>(blocked.y);
    // A cargo in tow hangs the line's free play below the ship (above it
    // under upward gravity), so what blocks it can lie that much farther off.
    const int hanging = blockedLoad.towing ? blockedLoad.slack : 0;
    const int above = blockedLoad.upwards ? hanging : 0;
    const int below = blockedLoad.upwards ? 0 : hanging;
    bool beam = false;
    for (int y = by0 - 14 - above; y <= by0 + 9 + below && !beam; ++y)
        for (int x = bx0 - 10; x <= bx0 + 14 && !beam; ++x) beam = cave_.beamAt(x, y);

    const auto& rock = cave_.rock();
    const Load ld = load();
    int left = bx0 - 14;
    int right = bx0 + 12;
    if (beam) {
        left = s_.enemyX - 7;
        right = s_.enemyX + 17;
    }
    double bestScore = 1e18;
    for (int x = left; x <= right; ++x) {
        // Where a bomb let fall from each height of this column bursts:
        // its lower edge's three probes meet rock.
        std::vector<int> stop(Cave::kSize + 2, Cave::kSize + 1);
        for (int y = Cave::kSize - 1; y >= 1; --y) {
            const bool hits =
                rock.solid(x, y + 10) || rock.solid(x + 3, y + 10) || rock.solid(x + 6, y + 10);
            stop[static_cast<size_t>(y)] = hits ? y : stop[static_cast<size_t>(y + 1)];
        }
        for (int y = 1; y < Cave::kSize; ++y) {
            const int burst = stop[static_cast<size_t>(y)];
            if (burst > Cave::kSize) continue;
            double aim;
            if (beam) {
                if (y >= s_.enemyY + 18 || burst <= s_.enemyY - 8) continue;
                aim = std::abs(x - (s_.enemyX + 5));
            } else {
                const int hitX = x + 3;
                const int hitY = burst + 10;
                if (hitX < bx0 - 14 || hitX > bx0 + 18 || hitY < by0 - 18 - above ||
                    hitY > by0 + 14 + below)
                    continue;
                aim = std::abs(hitX - bx0 - 2);
            }
            if (!planner_.fits(x, y, ld)) continue;
            const auto cost = planner_.costTo(x, y);
            if (!cost) continue;
            const double cramped = std::max(0.0, 3 - planner_.clearance(x, y, ld));
            const double score = *cost + 5 * aim + 0.5 * (burst - y) + 20 * cramped;
            if (score < bestScore) {
                bestScore = score;
                drop_ = {static_cast<double>(x), static_cast<double>(y)};
            }
        }
    }
    return bestScore < 1e18;
}

std::string Pilot::routeTo(Vec goal, Load ld, bool& arrived) {
    const Vec here{s_.x(), s_.y()};
    const Vec target = bombRun_ ? drop_ : goal;
    const bool stale = route_.points.empty() || ticksSincePlan_ >= kReplanTicks ||
                       distance(target, routeGoal_) > 4 || routeTowing_ != ld.towing ||
                       distance(here, route_.points[std::min(along_, route_.points.size() - 1)]) >
                           kOffRoute;
    if (stale) {
        ticksSincePlan_ = 0;
        routeGoal_ = target;
        routeTowing_ = ld.towing;
        along_ = 0;
        route_ = planner_.plan(here, target, ld, false);
        if (!route_.reached && ld.towing) {
            // The cargo may brush the rock a little rather than not go at all.
            Load alone = ld;
            alone.towing = false;
            route_ = planner_.plan(here, target, alone, false);
        }
        if (!route_.reached && !bombRun_) {
            const Route through = planner_.plan(here, target, ld, true);
            planner_.reachFrom(here, ld);
            if (!through.blockedAt) return "no route, and nothing to bomb";
            if (!findDrop(*through.blockedAt, ld)) return "no place to bomb the way open from";
            bombRun_ = true;
            routeGoal_ = drop_;
            route_ = planner_.plan(here, drop_, ld, false);
        }
        if (!route_.reached) return "no route to the bombing place";
        if (route_.reached && !bombRun_ && towLeg_ && !lookedAhead_) clearTowLeg(here, ld);
    }
    ++ticksSincePlan_;
    arrived = !bombRun_ && distance(here, goal) < 5;
    return "";
}

// The way back with the cargo in tow can be narrower than the ship needs
// alone, and blocked where the cargo cannot follow under a wall bombed open
// from above; such a wall is bombed wider while the ship is still above it.
void Pilot::clearTowLeg(Vec here, Load ld) {
    lookedAhead_ = true;
    Load tow = ld;
    tow.towing = true;
    const auto [from, to] = *towLeg_;
    if (planner_.plan(from, to, tow, false).reached) return;
    const Route through = planner_.plan(from, to, tow, true);
    planner_.reachFrom(here, ld);
    if (through.blockedAt && findDrop(*through.blockedAt, tow)) {
        bombRun_ = true;
        routeGoal_ = drop_;
        route_ = planner_.plan(here, drop_, ld, false);
        along_ = 0;
    } else {
        route_ = planner_.plan(here, routeGoal_, ld, false);
    }
}

// Where the ship holds its cargo inside the collector's delivery box.
Vec Pilot::releasePlace() const {
    const int slack = s_.towSlack;
    return {s_.collectorX + 24.0,
            s_.gravity < 0 ? s_.collectorY + 10.0 + slack : s_.collectorY + 22.0 - slack};
}

// Where the ship waits to hook the cargo: just above it (below it when
// gravity pulls upwards).
Vec Pilot::hookPlace() const {
    return {s_.cargoX + 8, s_.gravity < 0 ? s_.cargoY + 34 : s_.cargoY - 14};
}

bool Pilot::nearCargo() const {
    return std::abs(s_.cargoX - (s_.x() - 8)) < 40 && std::abs(s_.cargoY - (s_.y() - 10)) < 40;
}

Vec Pilot::followRoute() {
    const Vec here{s_.x(), s_.y()};
    const auto& pts = route_.points;
    size_t best = along_;
    for (size_t i = along_; i < pts.size() && i < along_ + 24; ++i)
        if (distance(here, pts[i]) < distance(here, pts[best])) best = i;
    along_ = best;
    double remaining = distance(here, pts[along_]);
    for (size_t i = along_ + 1; i < pts.size(); ++i) remaining += distance(pts[i - 1], pts[i]);
    Vec carrot = pts.back();
    double walked = 0;
    for (size_t i = along_ + 1; i < pts.size(); ++i) {
        walked += distance(pts[i - 1], pts[i]);
        if (walked >= kLookAhead) {
            carrot = pts[i];
            break;
        }
    }
    if (remaining < 6) return (pts.back() - here) * 0.25;
    const Load ld = load();
    const double room = std::max(0.0, planner_.clearance(static_cast<int>(here.x),
                                                         static_cast<int>(here.y), ld));
    const double top = ld.towing ? 2.2 : 3.2;
    const double speed =
        std::min({top, std::sqrt(2 * kBraking * remaining), 0.8 + 0.2 * room});
    const Vec way = carrot - here;
    const double len = length(way);
    return len < 1e-9 ? Vec{} : way * (speed / len);
}

Pilot::End Pilot::attempt(Outcome& outcome) {
    bool enemyGone = s_.enemyGone;
    int releasedTicks = 0;
    int settle = -1;  // counting down after a bomb burst
    bool bombDropped = false;
    for (int t = 0; t < kLongestAttemptTicks; ++t) {
        if (s_.missionComplete) {
            const std::string label = sim_.ask("control Label10");
            outcome.won = label.find("Mission Success") != std::string::npos;
            outcome.fuelLeft = s_.fuel;
            outcome.seconds = static_cast<int>((sim_.now() - s_.missionStartTick) / 1000);
            outcome.score = s_.score;
            outcome.bombs = bombs_;
            shoot("success");
            sim_.wait(5000);  // the success countdown, to the next briefing
            return outcome.won ? End::Won : End::Stuck;
        }
        if (s_.shipDead || !s_.missionTimerOn) {
            outcome.note = s_.cargoDamage >= 1500 ? "cargo lost" : "ship lost";
            shoot("lost");
            return End::Lost;
        }
        if (s_.enemyGone != enemyGone) {
            enemyGone = s_.enemyGone;
            cave_.setBeam(s_.enemyX, s_.enemyY, s_.beamLength, !enemyGone);
            cave_.refresh();
            route_.points.clear();
        }
        if (t % 50 == 0) shoot("flight");

        const Vec here{s_.x(), s_.y()};
        const Vec velocity{s_.vx(), s_.vy()};
        const bool calm = length(velocity) < 0.7;
        const bool upwards = s_.gravity < 0;
        std::string key;
        Vec wanted{};
        Vec goal;
        if (s_.exitOpen) {
            goal = {s_.exitX + 25.0, s_.exitY + 25.0};
        } else if (s_.towing && s_.cargoReleased) {
            // Missed: the cargo is taken up again from close by, as at first.
            // Hooked from afar, the line goes taut at once and flings cargo
            // and ship at each other.
            const bool waited = ++releasedTicks > kReleaseWaitTicks;
            goal = waited ? hookPlace() : here;
            if (waited && nearCargo() && calm) key = "up";
        } else if (s_.towing) {
            towLeg_.reset();
            releasedTicks = 0;
            goal = releasePlace();
            // Close by, the cargo itself is steered over the column: it need
            // not hang straight under the ship. Unless that would take the
            // ship where it does not fit.
            const Vec cargo{s_.cargoX, s_.cargoY};
            const Vec straight{here.x - 8, here.y - 10 + (upwards ? -s_.towSlack : s_.towSlack)};
            const Vec shifted = goal - (cargo - straight);
            if (distance(here, goal) < 48 &&
                planner_.fits(static_cast<int>(shifted.x), static_cast<int>(shifted.y), load()))
                goal = shifted;
            if (dropsIntoCollector(s_, cave_.rock())) key = "down";
        } else {
            goal = hookPlace();
            towLeg_ = {goal, releasePlace()};
            if (nearCargo() && calm) key = "up";
        }

        if (bombDropped) {
            if (!s_.bombFlying && settle < 0) settle = kSettleTicks;
            if (settle > 0 && --settle == 0) {
                readRock();
                bombDropped = false;
                bombRun_ = false;
                settle = -1;
            }
        } else {
            bool arrived = false;
            const std::string trouble = routeTo(goal, load(), arrived);
            if (!trouble.empty()) {
                outcome.note = trouble;
                shoot("stuck");
                return End::Stuck;
            }
            wanted = followRoute();
            if (bombRun_ && distance(here, drop_) < 4 && calm && !s_.bombFlying) {
                if (bombs_ >= kMostBombs) {
                    outcome.note = "too many bombs";
                    return End::Stuck;
                }
                key = "ctrl";
                ++bombs_;
                bombDropped = true;
            }
        }
        int turnTicks = 0;
        for (int64_t k = (sim_.now() - start_) / kControlTickMs + 1;
             start_ + k * kControlTickMs < nextTick_; ++k)
            ++turnTicks;
        tick(steering_.toward(s_, wanted, turnTicks), key);
    }
    outcome.note = "out of time";
    return End::Stuck;
}

void Pilot::shoot(const std::string& name) {
    if (shots_.empty()) return;
    char file[64];
    // The level in the name too: a run over all levels keeps every flight's pictures.
    std::snprintf(file, sizeof file, "/m%02d-l%d-%04d-", s_.missionNumber, s_.difficulty,
                  shotCount_++);
    sim_.send("shot " + shots_ + file + name + ".png");
}

}  // namespace autopilot
