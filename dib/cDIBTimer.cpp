#include "cDIBTimer.h"

namespace dib {

TDIBTimer::TDIBTimer(platform::EventLoop& loop)
    : loop_(loop), id_(loop.createTimer([this] {
          if (onTimer_) onTimer_(*this);
      })) {}

TDIBTimer::~TDIBTimer() {
    loop_.destroyTimer(id_);
}

void TDIBTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    restart();
}

void TDIBTimer::SetInterval(uint32_t interval) {
    if (interval == interval_) return;
    interval_ = interval;
    restart();
}

void TDIBTimer::SetOnTimer(Handler handler) {
    onTimer_ = std::move(handler);
    restart();
}

bool TDIBTimer::Running() const {
    return loop_.timerRunning(id_);
}

void TDIBTimer::restart() {
    loop_.stopTimer(id_);
    if (interval_ == 0 || !enabled_ || !onTimer_) return;
    if (!loop_.startTimer(id_, interval_)) {
        enabled_ = false;
        throw EOutOfResources("Not enough timers available");
    }
}

}  // namespace dib
