#pragma once

#include <cstdint>

#include "core/TimeOfDay.h"

namespace platform {

// The clocks the game reads. The real clock follows the system; the virtual
// clock of the headless back-end moves only when its driver advances it.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, never going back. The loop uses
    // this full-width counter for its timer schedule.
    virtual uint64_t nowMs() const = 0;
    // The system's millisecond tick count: 32 bits, wrapping, as the game's
    // mission timing expects (differences are taken modulo 2^32).
    uint32_t tickCount() const { return static_cast<uint32_t>(nowMs()); }
    virtual core::TimeOfDay utcNow() const = 0;
    virtual core::TimeOfDay localNow() const = 0;
    // Blocks the caller; nothing else runs meanwhile (no timers, no input).
    virtual void sleepMs(uint32_t ms) = 0;
};

}  // namespace platform
