#include "levels/MissionCheck.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "levels/BombWear.h"
#include "levels/DistanceField.h"
#include "levels/Missions.h"
#include "levels/Reachability.h"

namespace assetgen::levels {
namespace {

using Points = std::vector<std::pair<int, int>>;

std::string at(int x, int y) {
    // Appended piece by piece: GCC 12 warns falsely about "(" + to_string(x).
    std::string text = "(";
    text += std::to_string(x);
    text += ", ";
    text += std::to_string(y);
    text += ")";
    return text;
}

// No rock anywhere in the box (both corners included).
bool clearBox(const SolidMap& rock, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (rock.solid(x, y)) return false;
    return true;
}

// The share of the columns left..right that hold rock somewhere in rows
// top..bottom: how well something standing there is held up.
double supportedShare(const SolidMap& rock, int left, int right, int top, int bottom) {
    int supported = 0;
    for (int x = left; x <= right; ++x) {
        for (int y = top; y <= bottom; ++y) {
            if (rock.solid(x, y)) {
                ++supported;
                break;
            }
        }
    }
    return static_cast<double>(supported) / (right - left + 1);
}

// A line as the game's canvas draws it: every point from the start up to,
// but not including, the end.
void addLine(Points& points, int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        points.emplace_back(x0, y0);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

Points beamOf(const MissionGeometry& m) {
    return m.hasEnemy ? BeamPoints(m.enemyX, m.enemyY, m.beamLength) : Points{};
}

// The bomb walls: each one's box and pixels (world points), and which wall,
// if any, every world point of the picture belongs to.
struct Walls {
    std::vector<WallBox> boxes;
    std::vector<Points> pixels;
    std::vector<int> owner;  // per picture pixel: the wall's index, or -1
    int width = 0;

    int at(int x, int y) const {
        if (x < 1 || y < 1 || x > width) return -1;
        const size_t i =
            static_cast<size_t>(y - 1) * static_cast<size_t>(width) + static_cast<size_t>(x - 1);
        return i < owner.size() ? owner[i] : -1;
    }
};

Walls wallsOf(const TerrainMap& terrain) {
    Walls walls;
    walls.width = terrain.width();
    walls.owner.assign(static_cast<size_t>(terrain.width()) * terrain.height(), -1);
    auto index = [&](int px, int py) { return static_cast<size_t>(py) * terrain.width() + px; };
    for (int py = 0; py < terrain.height(); ++py) {
        for (int px = 0; px < terrain.width(); ++px) {
            if (terrain.at(px, py) != Ground::Wall || walls.owner[index(px, py)] >= 0) continue;
            const int id = static_cast<int>(walls.boxes.size());
            WallBox box{px + 1, py + 1, px + 1, py + 1};
            Points members;
            Points queue{{px, py}};
            walls.owner[index(px, py)] = id;
            for (size_t next = 0; next < queue.size(); ++next) {
                const auto [x, y] = queue[next];
                members.emplace_back(x + 1, y + 1);
                box.left = std::min(box.left, x + 1);
                box.right = std::max(box.right, x + 1);
                box.top = std::min(box.top, y + 1);
                box.bottom = std::max(box.bottom, y + 1);
                for (int ny = y - 1; ny <= y + 1; ++ny) {
                    for (int nx = x - 1; nx <= x + 1; ++nx) {
                        if (!terrain.containsPixel(nx, ny) || terrain.at(nx, ny) != Ground::Wall ||
                            walls.owner[index(nx, ny)] >= 0)
                            continue;
                        walls.owner[index(nx, ny)] = id;
                        queue.emplace_back(nx, ny);
                    }
                }
            }
            walls.boxes.push_back(box);
            walls.pixels.push_back(std::move(members));
        }
    }
    return walls;
}

void checkPlacement(const MissionGeometry& m, const SolidMap& rock, const Points& beam,
                    Findings& findings) {
    auto require = [&](bool ok, const std::string& fault) {
        if (!ok) findings.errors.push_back(fault);
    };
    const bool upsideDown = m.gravity < 0;
    // The ship's probes, each with a pixel to spare.
    bool startClear = true;
    for (const auto& [ox, oy] : Points{{-6, -10}, {-6, 5}, {10, -10}, {10, 5}})
        startClear = startClear && clearBox(rock, m.shipX + ox - 1, m.shipY + oy - 1,
                                            m.shipX + ox + 1, m.shipY + oy + 1);
    require(startClear, "the ship starts in or against rock at " + at(m.shipX, m.shipY));

    const int cx = m.cargoX;
    const int cy = m.cargoY;
    require(clearBox(rock, cx + 15, cy + 5, cx + 17, cy + 7) &&
                clearBox(rock, cx + 5, cy + 15, cx + 7, cy + 17),
            "the resting cargo at " + at(cx, cy) + " touches rock or lies within a pixel of it");
    const double cargoHeld = upsideDown ? supportedShare(rock, cx, cx + 15, cy - 6, cy - 1)
                                        : supportedShare(rock, cx, cx + 15, cy + 16, cy + 22);
    require(cargoHeld >= 0.5, "the resting cargo at " + at(cx, cy) + " floats: no rock " +
                                  (upsideDown ? "just above it" : "just below it"));

    const int kx = m.collectorX;
    const int ky = m.collectorY;
    require(clearBox(rock, kx, ky, kx + 39, ky + 55),
            "the collector at " + at(kx, ky) + " is drawn over rock");
    const double collectorHeld = upsideDown ? supportedShare(rock, kx, kx + 39, ky - 8, ky - 1)
                                            : supportedShare(rock, kx, kx + 39, ky + 56, ky + 63);
    require(collectorHeld >= 0.75, "the collector at " + at(kx, ky) + " has no rock to " +
                                       (upsideDown ? "hang from" : "stand on"));
    // Where the cargo is delivered it stays, hidden, and still takes damage
    // from any rock its probes touch.
    bool boxClear = true;
    for (int y = ky - 7; y <= ky + 31 && boxClear; ++y)
        for (int x = kx + 1; x <= kx + 31 && boxClear; ++x) boxClear = cargoFits(rock, x, y);
    require(boxClear,
            "a cargo delivered into the collector at " + at(kx, ky) + " would touch rock");

    require(clearBox(rock, m.exitX, m.exitY, m.exitX + 56, m.exitY + 64),
            "the exit at " + at(m.exitX, m.exitY) + " is drawn over rock");

    if (!m.hasEnemy) return;
    const int nx = m.enemyX;
    const int ny = m.enemyY;
    require(clearBox(rock, nx, ny, nx + 15, ny + 15),
            "the enemy at " + at(nx, ny) + " sits in rock");
    const double ledge = std::max(supportedShare(rock, nx, nx + 15, ny + 16, ny + 21),
                                  supportedShare(rock, nx, nx + 15, ny - 6, ny - 1));
    require(ledge >= 0.75, "the enemy at " + at(nx, ny) + " has no ledge");
    const auto open = std::count_if(beam.begin(), beam.end(),
                                    [&](const auto& p) { return !rock.solid(p.first, p.second); });
    require(open * 100 >= static_cast<long>(beam.size()) * 85,
            "the enemy's beam runs through rock instead of across a passage");
}

// Ship positions over the picture that satisfy a condition.
template <typename Condition>
PositionSet positionsWhere(int width, int height, Condition condition) {
    PositionSet set(width, height);
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x)
            if (condition(x, y)) set.add(x, y);
    return set;
}

// Where a bomb dropped by a hovering ship at (x, y) stops: it falls straight
// down until one of the three probes on its lower edge, at (x, y + 10),
// (x + 3, y + 10) and (x + 6, y + 10), meets rock (the enemy's beam
// included). Worked out for one column at a time, from the bottom up.
std::vector<int> bombStops(const SolidMap& rock, int x) {
    std::vector<int> stop(static_cast<size_t>(rock.height()) + 2, rock.height() + 1);
    for (int y = rock.height(); y >= 1; --y) {
        const bool hits =
            rock.solid(x, y + 10) || rock.solid(x + 3, y + 10) || rock.solid(x + 6, y + 10);
        stop[y] = hits ? y : stop[y + 1];
    }
    return stop;
}

// Whether a bomb dropped from somewhere in `from` hits the enemy: it does
// while it is within the enemy's box, also when it stops there.
bool enemyBombable(const MissionGeometry& m, const SolidMap& rock, const PositionSet& from) {
    const int ny = m.enemyY;
    for (int x = m.enemyX - 7; x <= m.enemyX + 17; ++x) {
        const std::vector<int> stop = bombStops(rock, x);
        for (int y = 1; y < ny + 18 && y <= rock.height(); ++y)
            if (from.has(x, y) && stop[y] > ny - 8) return true;
    }
    return false;
}

// Whether a bomb dropped from somewhere in `from` bursts on the given wall.
bool wallBombable(const Walls& walls, int wall, const SolidMap& rock, const PositionSet& from) {
    const WallBox& box = walls.boxes[static_cast<size_t>(wall)];
    for (int x = box.left - 6; x <= box.right; ++x) {
        const std::vector<int> stop = bombStops(rock, x);
        for (int y = 1; y <= box.bottom && y <= rock.height(); ++y) {
            if (!from.has(x, y) || stop[y] > rock.height()) continue;
            const int row = stop[y] + 10;
            for (int probe : {x, x + 3, x + 6})
                if (rock.solid(probe, row) && walls.at(probe, row) == wall) return true;
        }
    }
    return false;
}

// Cargo positions from which a released cargo drops (or, under upward
// gravity, rises) straight into the collector's delivery box without
// touching rock, for every column of the box.
class DropZone {
  public:
    DropZone(const MissionGeometry& m, const SolidMap& rock) : m_(m), height_(rock.height()) {
        for (int x = m.collectorX + 1; x <= m.collectorX + 31; ++x) {
            std::vector<uint8_t> ok(static_cast<size_t>(height_) + 2, 0);
            const int boxTop = m.collectorY - 7;
            const int boxBottom = m.collectorY + 31;
            if (m.gravity >= 0) {
                for (int y = boxBottom; y >= 1; --y)
                    ok[y] = cargoFits(rock, x, y) && (y >= boxTop || ok[y + 1]);
            } else {
                for (int y = boxTop; y <= height_; ++y)
                    ok[y] = cargoFits(rock, x, y) && (y <= boxBottom || ok[y - 1]);
            }
            columns_.push_back(std::move(ok));
        }
    }

    bool delivers(int cargoX, int cargoY) const {
        if (cargoX <= m_.collectorX || cargoX >= m_.collectorX + 32) return false;
        if (cargoY < 1 || cargoY > height_) return false;
        return columns_[static_cast<size_t>(cargoX - m_.collectorX - 1)][cargoY] != 0;
    }

  private:
    const MissionGeometry& m_;
    int height_;
    std::vector<std::vector<uint8_t>> columns_;
};

// The places the ship fits over one rock, alone and with its cargo in tow,
// worked out once and shared by every flight over that rock.
class Rooms {
  public:
    Rooms(SolidMap rock, double gravity) : rock_(std::move(rock)), gravity_(gravity) {}

    const SolidMap& rock() const { return rock_; }
    const PositionSet& ship() {
        if (!ship_) ship_ = shipRoom(rock_);
        return *ship_;
    }
    const PositionSet& tow(int slack) {
        auto found = tow_.find(slack);
        if (found == tow_.end()) found = tow_.emplace(slack, towRoom(rock_, gravity_, slack)).first;
        return found->second;
    }

  private:
    SolidMap rock_;
    double gravity_;
    std::optional<PositionSet> ship_;
    std::map<int, PositionSet> tow_;
};

// The level's rock with any of its bomb walls blasted and its enemy's beam
// standing or gone; the places the ship fits are worked out once for each
// state that a flight meets.
class World {
  public:
    World(const SolidMap& rock, const Walls& walls, const Points& beam, double gravity)
        : rock_(rock), walls_(walls), beam_(beam), gravity_(gravity) {}

    const Walls& walls() const { return walls_; }
    int width() const { return rock_.width(); }
    int height() const { return rock_.height(); }

    // standing: one bit per wall, set while the wall stands.
    Rooms& rooms(uint32_t standing, bool beamOn) {
        const auto key = std::make_pair(standing, beamOn);
        auto found = rooms_.find(key);
        if (found != rooms_.end()) return found->second;
        SolidMap rock = rock_;
        for (size_t w = 0; w < walls_.pixels.size(); ++w)
            if ((standing & (1u << w)) == 0)
                for (const auto& [x, y] : walls_.pixels[w]) rock.set(x, y, false);
        if (beamOn)
            for (const auto& [x, y] : beam_) rock.set(x, y, true);
        return rooms_.emplace(key, Rooms(std::move(rock), gravity_)).first->second;
    }

  private:
    const SolidMap& rock_;
    const Walls& walls_;
    const Points& beam_;
    double gravity_;
    std::map<std::pair<uint32_t, bool>, Rooms> rooms_;
};

struct Flight {
    std::vector<PositionSet> legs;
    bool enemyBombed = false;
    int wallsBlasted = 0;
    bool leaked = false;
    std::string stuck;  // empty when the exit was reached

    bool finished() const { return stuck.empty(); }
};

// What the ship may bomb on its way.
struct Bombing {
    bool walls = true;
    bool enemy = true;
};

// Flies the mission's three legs with a tow line of the given slack. On
// every leg, whatever the ship may bomb and can reach (the enemy, a wall
// from above) is bombed, and the leg floods again from the same seeds: the
// ship can always fly back to where it bombed from.
Flight fly(const MissionGeometry& m, World& world, int slack, Bombing bombing) {
    Flight flight;
    const int w = world.width();
    const int h = world.height();
    const int wallCount = static_cast<int>(world.walls().boxes.size());
    uint32_t standing = wallCount >= 32 ? ~0u : (1u << wallCount) - 1;
    bool beamOn = m.hasEnemy;
    auto rooms = [&]() -> Rooms& { return world.rooms(standing, beamOn); };

    auto leg = [&](const PositionSet& seeds, bool towing) {
        auto flow = [&] { return flood(towing ? rooms().tow(slack) : rooms().ship(), seeds); };
        PositionSet reached = flow();
        for (bool changed = true; changed;) {
            changed = false;
            if (bombing.enemy && beamOn && enemyBombable(m, rooms().rock(), reached)) {
                beamOn = false;
                flight.enemyBombed = true;
                changed = true;
            }
            for (int wall = 0; bombing.walls && wall < wallCount && !changed; ++wall) {
                if ((standing & (1u << wall)) == 0) continue;
                if (!wallBombable(world.walls(), wall, rooms().rock(), reached)) continue;
                standing &= ~(1u << wall);
                ++flight.wallsBlasted;
                changed = true;
            }
            if (changed) reached = flow();
        }
        flight.leaked = flight.leaked || reached.touchesEdge();
        flight.legs.push_back(reached);
        return reached;
    };

    PositionSet start(w, h);
    start.add(m.shipX, m.shipY);
    const PositionSet toCargo = leg(start, false);
    const PositionSet hooks = positionsWhere(w, h, [&](int x, int y) {
        return toCargo.has(x, y) && std::abs(m.cargoX - (x - 8)) < 48 &&
               std::abs(m.cargoY - (y - 10)) < 48;
    });
    if (hooks.empty()) {
        flight.stuck = "the ship cannot reach the cargo";
        return flight;
    }
    const PositionSet hooked = hooks.intersect(rooms().tow(slack));
    if (hooked.empty()) {
        flight.stuck = "the ship cannot lift the cargo off without it touching rock";
        return flight;
    }
    const PositionSet withCargo = leg(hooked, true);
    const DropZone drop(m, rooms().rock());
    const HangingOffset hanging = straightHanging(m.gravity, slack);
    const PositionSet releases = positionsWhere(w, h, [&](int x, int y) {
        return withCargo.has(x, y) && drop.delivers(x - 8 + hanging.dx, y - 10 + hanging.dy);
    });
    if (releases.empty()) {
        flight.stuck = "the cargo cannot be brought over the collector";
        return flight;
    }
    const PositionSet toExit = leg(releases, false);
    const PositionSet entry = positionsWhere(w, h, [&](int x, int y) {
        return x > m.exitX && x < m.exitX + 50 && y > m.exitY && y < m.exitY + 50;
    });
    if (!toExit.intersects(entry)) flight.stuck = "the ship cannot reach the exit";
    return flight;
}

std::string describe(const Flight& flight, const MissionGeometry& m) {
    if (!flight.finished()) return flight.stuck;
    std::string text = "finished";
    if (m.hasEnemy) text += flight.enemyBombed ? ", the enemy bombed" : ", the enemy left";
    if (flight.wallsBlasted > 0)
        text += ", " + std::to_string(flight.wallsBlasted) + " walls blasted";
    return text;
}

}  // namespace

void checkMission(const LevelSource& source, const TerrainMap& terrain, const core::Bitmap& decoded,
                  Findings& findings) {
    const MissionGeometry& m = missionGeometry(source.mission);
    const SolidMap rock = solidOf(decoded);
    const Points beam = beamOf(m);
    checkPlacement(m, rock, beam, findings);

    const Walls walls = wallsOf(terrain);
    const bool bombsExpected = m.number >= 3;
    if (!bombsExpected && !walls.boxes.empty())
        findings.errors.push_back("mission " + std::to_string(m.number) +
                                  " is meant to be flown without bombs, but has bomb walls");
    if (bombsExpected && walls.boxes.empty())
        findings.errors.push_back("mission " + std::to_string(m.number) + " has no bomb wall");
    if (walls.boxes.size() > 16) {
        findings.errors.push_back("more than 16 bomb walls");
        return;
    }

    // A game is played with one tow line slack throughout; the mission must
    // be possible with the shortest line and with the longest.
    World world(rock, walls, beam, m.gravity);
    bool leaked = false;
    for (int slack : {kBeginnerSlack, kExpertSlack}) {
        const std::string line = slack == kBeginnerSlack ? "Beginner" : "Expert";
        const Flight flight = fly(m, world, slack, Bombing{});
        leaked = leaked || flight.leaked;
        if (!flight.finished()) findings.errors.push_back(line + ": " + flight.stuck);
        findings.notes.push_back(line + ": " + describe(flight, m));
        findings.legs = flight.legs;
    }
    if (bombsExpected) {
        // The enemy may still be bombed: the walls are what must need bombs.
        const Flight unbombed = fly(m, world, kExpertSlack, Bombing{false, true});
        leaked = leaked || unbombed.leaked;
        if (unbombed.finished())
            findings.errors.push_back("the mission can be finished without blasting a bomb wall");
        else
            findings.notes.push_back("without bombs " + unbombed.stuck);
    }
    if (m.hasEnemy) {
        const Flight around = fly(m, world, kExpertSlack, Bombing{true, false});
        findings.notes.push_back(around.finished() ? "the enemy's beam can be flown around"
                                                   : "the enemy must be bombed");
    }
    if (leaked) findings.errors.push_back("the ship can fly out of the picture");

    std::string bombCounts;
    for (const WallBox& wall : walls.boxes) {
        const BombTrial trial = dropBombs(decoded, wall, kMaxBombsPerWall);
        const std::string where =
            "the bomb wall at " + at(wall.left, wall.top) + ".." + at(wall.right, wall.bottom);
        if (!trial.closedBefore) {
            findings.errors.push_back(where + " does not close its passage");
        } else if (trial.bombsNeeded == 0) {
            findings.errors.push_back(where + " does not open with " +
                                      std::to_string(kMaxBombsPerWall) + " bombs");
        }
        bombCounts += (bombCounts.empty() ? "" : ", ") + std::to_string(trial.bombsNeeded);
    }
    if (!bombCounts.empty()) findings.notes.push_back("bombs to open each wall: " + bombCounts);
}

namespace {

// The rock with every part thinner than `thickness` taken away: an opening,
// the rock shrunk by half the thickness and grown back, which leaves thick
// rock as it was.
SolidMap withoutThinRock(const SolidMap& rock, int thickness) {
    const int w = rock.width();
    const int h = rock.height();
    const float half = static_cast<float>(thickness) / 2;
    std::vector<uint8_t> open(static_cast<size_t>(w) * h);
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) open[static_cast<size_t>(y - 1) * w + (x - 1)] = !rock.solid(x, y);
    const std::vector<float> toOpen = distanceField(w, h, open, 1.414f, half + 2);
    std::vector<uint8_t> core(open.size());
    for (size_t i = 0; i < core.size(); ++i) core[i] = toOpen[i] > half;
    const std::vector<float> toCore = distanceField(w, h, core, 1.414f, half + 2);
    SolidMap thick(w, h);
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x)
            thick.set(x, y, rock.solid(x, y) && toCore[static_cast<size_t>(y - 1) * w + (x - 1)] <= half);
    return thick;
}

}  // namespace

void checkPaintedMission(const MissionGeometry& m, const core::Bitmap& decoded, bool bombsUsed,
                         Findings& findings) {
    const SolidMap rock = solidOf(decoded);
    const Points beam = beamOf(m);
    checkPlacement(m, rock, beam, findings);
    const SolidMap flown = bombsUsed ? withoutThinRock(rock, kBlastThickness) : rock;
    Walls none;
    none.width = decoded.width();
    none.owner.assign(static_cast<size_t>(decoded.width()) * decoded.height(), -1);
    World world(flown, none, beam, m.gravity);
    bool leaked = false;
    for (int slack : {kBeginnerSlack, kExpertSlack}) {
        const std::string line = slack == kBeginnerSlack ? "Beginner" : "Expert";
        const Flight flight = fly(m, world, slack, Bombing{false, true});
        leaked = leaked || flight.leaked;
        if (!flight.finished()) findings.errors.push_back(line + ": " + flight.stuck);
        findings.notes.push_back(line + ": " + describe(flight, m));
        findings.legs = flight.legs;
    }
    if (m.hasEnemy) {
        const Flight around = fly(m, world, kExpertSlack, Bombing{false, false});
        findings.notes.push_back(around.finished() ? "the enemy's beam can be flown around"
                                                   : "the enemy must be bombed");
    }
    if (leaked) findings.errors.push_back("the ship can fly out of the picture");
}

Points BeamPoints(int enemyX, int enemyY, int beamLength) {
    Points points;
    for (int i = 1; i <= 6; ++i)
        addLine(points, enemyX + 16, enemyY + i + 4, enemyX + beamLength, enemyY + i + 2);
    return points;
}

}  // namespace assetgen::levels
