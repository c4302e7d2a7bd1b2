#pragma once

#include <chrono>

#include "Clock.h"

namespace platform {

// The clocks of the real machine: a steady millisecond counter that starts at
// 0 when the clock is made, the system's time of day, and a real sleep.
class SystemClock : public Clock {
  public:
    SystemClock();

    uint64_t nowMs() const override;
    core::TimeOfDay utcNow() const override;
    core::TimeOfDay localNow() const override;
    void sleepMs(uint32_t ms) override;

  private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace platform
