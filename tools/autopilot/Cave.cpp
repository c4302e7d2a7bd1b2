#include "Cave.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "levels/DistanceField.h"
#include "levels/MissionCheck.h"

namespace autopilot {
namespace {

int hexDigit(char c) { return c <= '9' ? c - '0' : c - 'a' + 10; }

int field(const std::string& line, const char* key) {
    const std::string marker = std::string("\"") + key + "\":";
    const size_t at = line.find(marker);
    if (at == std::string::npos) throw std::runtime_error("rock answer lacks " + marker);
    return std::atoi(line.c_str() + at + marker.size());
}

}  // namespace

Cave::Cave() : seen_(kSize, kSize), rock_(kSize, kSize) {}

void Cave::take(const std::string& line) {
    const int x0 = field(line, "x");
    const int y0 = field(line, "y");
    const int w = field(line, "w");
    size_t at = line.find("\"rows\":[");
    if (at == std::string::npos) throw std::runtime_error("rock answer lacks rows");
    at += 8;
    for (int y = y0;; ++y) {
        at = line.find('"', at);
        if (at == std::string::npos) break;
        const size_t end = line.find('"', at + 1);
        for (int x = x0; x < x0 + w; ++x) {
            const char digit = line[at + 1 + static_cast<size_t>((x - x0) / 4)];
            seen_.set(x, y, (hexDigit(digit) & (8 >> ((x - x0) % 4))) != 0);
        }
        at = end + 1;
    }
}

void Cave::setBeam(int enemyX, int enemyY, int beamLength, bool standing) {
    beam_.clear();
    if (standing) beam_ = assetgen::levels::BeamPoints(enemyX, enemyY, beamLength);
}

bool Cave::beamAt(int x, int y) const {
    return std::any_of(beam_.begin(), beam_.end(),
                       [&](const auto& p) { return p.first == x && p.second == y; });
}

void Cave::refresh() {
    rock_ = seen_;
    // The beam flickers in the pictures the game shows; it is always there for the pilot.
    for (const auto& [x, y] : beam_) rock_.set(x, y, true);
    // The frame of the map counts as rock: the caves are closed, and no
    // route should lead out of the picture.
    std::vector<uint8_t> seeds(static_cast<size_t>(kSize) * kSize, 0);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            seeds[static_cast<size_t>(y) * kSize + static_cast<size_t>(x)] =
                x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1 || rock_.solid(x, y);
    distance_ = assetgen::levels::distanceField(kSize, kSize, seeds, 1.0f, 255.0f);
}

float Cave::distance(int x, int y) const {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return 0;
    return distance_[static_cast<size_t>(y) * kSize + static_cast<size_t>(x)];
}

}  // namespace autopilot
