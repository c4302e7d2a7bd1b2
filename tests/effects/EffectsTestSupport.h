#pragma once

#include <cstdint>

#include "core/TimeOfDay.h"
#include "platform/Clock.h"

namespace effects::testing {

// A clock that always shows the same time of day.
class FakeClock : public platform::Clock {
  public:
    explicit FakeClock(core::TimeOfDay time) : time_(time) {}
    uint64_t nowMs() const override { return 0; }
    core::TimeOfDay utcNow() const override { return time_; }
    core::TimeOfDay localNow() const override { return time_; }
    void sleepMs(uint32_t) override {}

  private:
    core::TimeOfDay time_;
};

// The game's generator written out again from its definition, so that the
// tests predict the draws without asking the code under test.
struct LcgModel {
    uint32_t seed;

    int32_t draw(int32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int32_t>((uint64_t{seed} * static_cast<uint32_t>(n)) >> 32);
    }
};

}  // namespace effects::testing
