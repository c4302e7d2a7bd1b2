// autopilot: flies Tarnwick's missions in tarnwick-sim by menu clicks and key
// presses alone, and prints a table of how each went (see the README).
#include <cstdio>
#include <stdexcept>
#include <string>

#include "Flights.h"
#include "app/packs/PackError.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: autopilot [--pack PACK] [--missions all|N[,N...]] [--levels all|L[,L...]] "
                 "[--shots DIR] [--sim PATH]\n"
                 "  levels: 1 Beginner, 2 Normal, 3 Expert (default: every mission at 1)\n"
                 "  PACK: a mission pack, flown instead of the game's own ten missions\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    autopilot::FlightPlan plan;
    plan.sim = autopilot::BesideThisProgram("tarnwick-sim");
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        if (option == "--pack")
            plan.pack = value;
        else if (option == "--missions")
            plan.missions = value;
        else if (option == "--levels")
            plan.levels = value;
        else if (option == "--shots")
            plan.shots = value;
        else if (option == "--sim")
            plan.sim = value;
        else
            return usage();
    }
    try {
        return autopilot::FlyAndReport(plan) ? 0 : 1;
    } catch (const std::invalid_argument&) {
        return usage();
    } catch (const app::packs::PackError& error) {
        std::fprintf(stderr, "autopilot: %s\n", error.what());
        return 2;
    }
}
