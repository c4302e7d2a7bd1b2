#pragma once

#include <cstdint>

#include "Events.h"

namespace platform {

// Told of every step the loop hands the game from outside: the ticks of its
// timers and the input the back-end delivered, each with the time the game
// sees for it (milliseconds since the loop began). What the game does from
// there on follows from these alone.
class Recorder {
  public:
    virtual ~Recorder() = default;
    virtual void tick(uint64_t atMs, uint32_t periodMs) = 0;
    virtual void input(uint64_t atMs, const Event& event) = 0;
};

}  // namespace platform
