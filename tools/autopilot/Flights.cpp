#include "Flights.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "Pilot.h"
#include "SimLink.h"
#include "app/packs/Pack.h"

namespace autopilot {
namespace {

const char* const kLevels[] = {"", "Beginner", "Normal", "Expert"};

// A new game at `difficulty`, with the briefing of `mission` showing. The
// missions before it are skipped with the hidden keys, which is all they
// are used for: the mission flown is never skipped.
void reachBriefing(SimLink& sim, int difficulty, int mission) {
    sim.send("start");
    sim.wait(300);
    for (int level = 1; level < difficulty; ++level) {
        sim.send("click DIBFadeLabel4");
        sim.wait(100);
    }
    sim.send("click DIBFadeLabel1");
    sim.wait(100);
    for (int m = 1; m < mission; ++m) {
        sim.send("click diblabel5");
        sim.wait(100);
        for (const char* key : {"shift", "s", "k"}) sim.press(key);
        sim.wait(20);
        sim.releaseAll();
        sim.wait(100);
    }
}

std::vector<int> parseList(const std::string& text, int last) {
    std::vector<int> values;
    if (text == "all") {
        for (int v = 1; v <= last; ++v) values.push_back(v);
        return values;
    }
    size_t at = 0;
    while (at < text.size()) {
        const int v = std::atoi(text.c_str() + at);
        if (v < 1 || v > last) throw std::invalid_argument(text);
        values.push_back(v);
        const size_t comma = text.find(',', at);
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return values;
}

// The missions of the pack, which must be one the game can fly.
int missionsOf(const std::string& pack) {
    return static_cast<int>(app::packs::Pack::Read(pack).manifest().missions.size());
}

}  // namespace

std::string BesideThisProgram(const char* name) {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return name;
    self[n] = '\0';
    return (std::filesystem::path(self).parent_path() / name).string();
}

bool FlyAndReport(const FlightPlan& plan) {
    const std::vector<int> levels = parseList(plan.levels, 3);
    const std::vector<int> missions =
        parseList(plan.missions, plan.pack.empty() ? 10 : missionsOf(plan.pack));
    if (!plan.shots.empty()) std::filesystem::create_directories(plan.shots);

    std::printf("| mission | level | won | lives lost | fuel left | time (s) | score | bombs | note |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    bool allWon = true;
    for (const int level : levels) {
        for (const int mission : missions) {
            Outcome outcome;
            try {
                SimLink link(plan.sim, plan.pack);
                reachBriefing(link, level, mission);
                Pilot pilot(link, plan.shots);
                outcome = pilot.fly();
            } catch (const std::exception& error) {
                outcome.note = error.what();
            }
            allWon = allWon && outcome.won;
            std::printf("| %d | %s | %s | %d | %d | %d | %d | %d | %s |\n", mission, kLevels[level],
                        outcome.won ? "yes" : "no", outcome.livesLost, outcome.fuelLeft,
                        outcome.seconds, outcome.score, outcome.bombs, outcome.note.c_str());
            std::fflush(stdout);
        }
    }
    return allWon;
}

}  // namespace autopilot
