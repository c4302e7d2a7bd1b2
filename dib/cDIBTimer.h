#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "platform/EventLoop.h"

namespace dib {

// Raised when the loop refuses another running timer.
class EOutOfResources : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A periodic tick on the game's one thread: `OnTimer` runs every `Interval`
// milliseconds while `Enabled`. Every change of a property starts the period
// afresh; ticks missed while the loop was busy are merged into one.
class TDIBTimer {
  public:
    using Handler = std::function<void(TDIBTimer& sender)>;

    explicit TDIBTimer(platform::EventLoop& loop);
    ~TDIBTimer();
    TDIBTimer(const TDIBTimer&) = delete;
    TDIBTimer& operator=(const TDIBTimer&) = delete;

    bool Enabled() const { return enabled_; }
    // Throws EOutOfResources("Not enough timers available") when the loop
    // refuses the timer; Enabled is false again then.
    void SetEnabled(bool enabled);
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t interval);
    void SetOnTimer(Handler handler);
    bool Running() const;

  private:
    void restart();

    platform::EventLoop& loop_;
    platform::EventLoop::TimerId id_;
    bool enabled_ = false;
    uint32_t interval_ = 1000;
    Handler onTimer_;
};

}  // namespace dib
