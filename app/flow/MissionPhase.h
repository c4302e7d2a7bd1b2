#pragma once

#include <cstdint>

namespace app {

// Whether a mission is under way, from "Start Mission" until its end (the
// countdown after a loss or a success included), and how many missions have
// ended: a handler that waited in a nested loop (the quit question) can tell
// that the mission it came from is over.
struct MissionPhase {
    bool running = false;
    uint32_t endings = 0;
};

}  // namespace app
