// autopilot: flies Tarnwick's missions in tarnwick-sim by menu clicks and key
// presses alone, and prints a table of how each went (see the README).
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "Pilot.h"
#include "SimLink.h"
#include "app/packs/Pack.h"
#include "app/packs/PackError.h"

namespace {

const char* const kLevels[] = {"", "Beginner", "Normal", "Expert"};

std::string besideMe(const char* name) {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return name;
    self[n] = '\0';
    return (std::filesystem::path(self).parent_path() / name).string();
}

// A new game at `difficulty`, with the briefing of `mission` showing. The
// missions before it are skipped with the hidden keys, which is all they
// are used for: the mission flown is never skipped.
void reachBriefing(autopilot::SimLink& sim, int difficulty, int mission) {
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

int usage() {
    std::fprintf(stderr,
                 "usage: autopilot [--pack PACK] [--missions all|N[,N...]] [--levels all|L[,L...]] "
                 "[--shots DIR] [--sim PATH]\n"
                 "  levels: 1 Beginner, 2 Normal, 3 Expert (default: every mission at 1)\n"
                 "  PACK: a mission pack, flown instead of the game's own ten missions\n");
    return 2;
}

// The missions of the pack, which must be one the game can fly.
int missionsOf(const std::string& pack) {
    return static_cast<int>(app::packs::Pack::Read(pack).manifest().missions.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> missions;
    std::vector<int> levels{1};
    std::string shots;
    std::string sim = besideMe("tarnwick-sim");
    std::string pack;
    std::string missionList = "all";
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string option = argv[i];
            if (i + 1 >= argc) return usage();
            const std::string value = argv[++i];
            if (option == "--pack")
                pack = value;
            else if (option == "--missions")
                missionList = value;
            else if (option == "--levels")
                levels = parseList(value, 3);
            else if (option == "--shots")
                shots = value;
            else if (option == "--sim")
                sim = value;
            else
                return usage();
        }
        missions = parseList(missionList, pack.empty() ? 10 : missionsOf(pack));
    } catch (const std::invalid_argument&) {
        return usage();
    } catch (const app::packs::PackError& error) {
        std::fprintf(stderr, "autopilot: %s\n", error.what());
        return 2;
    }
    if (!shots.empty()) std::filesystem::create_directories(shots);

    std::printf("| mission | level | won | lives lost | fuel left | time (s) | score | bombs | note |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    bool allWon = true;
    for (const int level : levels) {
        for (const int mission : missions) {
            autopilot::Outcome outcome;
            try {
                autopilot::SimLink link(sim, pack);
                reachBriefing(link, level, mission);
                autopilot::Pilot pilot(link, shots);
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
    return allWon ? 0 : 1;
}
