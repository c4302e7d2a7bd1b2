#pragma once

#include <cstdint>

#include "Clock.h"

namespace platform {

// The clock the game reads. It stands at the moment the loop began the step
// that is running (a timer tick, an input event) and moves only between
// steps, so that everything one step does sees one time, and a step's time
// together with its input is all a recording needs to play the game again.
// The time of day follows from the time of day when the loop began, for the
// same reason; the local time stays the source's own, as only a score's file
// name uses it.
class LoopClock : public Clock {
  public:
    explicit LoopClock(Clock& source)
        : source_(source), start_(source.nowMs()), now_(start_), startUtc_(source.utcNow()) {}

    uint64_t nowMs() const override { return now_; }
    core::TimeOfDay utcNow() const override { return core::Later(startUtc_, now_ - start_); }
    core::TimeOfDay localNow() const override { return source_.localNow(); }
    void sleepMs(uint32_t ms) override { source_.sleepMs(ms); }

    // Moves to the source's present moment: a new step begins.
    void catchUp() { now_ = source_.nowMs(); }
    // Milliseconds from the loop's beginning to the present step.
    uint64_t elapsedMs() const { return now_ - start_; }
    const core::TimeOfDay& startUtc() const { return startUtc_; }

  private:
    Clock& source_;
    uint64_t start_;
    uint64_t now_;
    core::TimeOfDay startUtc_;
};

}  // namespace platform
