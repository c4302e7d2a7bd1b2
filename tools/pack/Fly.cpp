#include "Fly.h"

#include <stdexcept>

#include "Flights.h"

namespace pack {

int Fly(const std::string& pack, const std::vector<std::string>& options) {
    autopilot::FlightPlan plan;
    plan.sim = autopilot::BesideThisProgram("tarnwick-sim");
    plan.pack = pack;
    for (size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size()) return 2;
        if (options[i] == "--levels")
            plan.levels = options[i + 1];
        else if (options[i] == "--missions")
            plan.missions = options[i + 1];
        else
            return 2;
    }
    try {
        return autopilot::FlyAndReport(plan) ? 0 : 1;
    } catch (const std::invalid_argument&) {
        return 2;
    }
}

}  // namespace pack
