#include "SystemClock.h"

#include <ctime>
#include <thread>

namespace platform {
namespace {

using SystemTime = std::chrono::system_clock;

// Splits the present moment into whole seconds (for the C calendar functions)
// and the milliseconds the game also wants.
struct Now {
    std::time_t seconds;
    int milliseconds;
};

Now systemNow() {
    const auto sinceEpoch =
        std::chrono::duration_cast<std::chrono::milliseconds>(SystemTime::now().time_since_epoch());
    const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
    return Now{static_cast<std::time_t>(seconds.count()),
               static_cast<int>((sinceEpoch - seconds).count())};
}

core::TimeOfDay fromCalendar(const std::tm& tm, int milliseconds) {
    return core::TimeOfDay{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,  tm.tm_hour,
                           tm.tm_min,         tm.tm_sec,     milliseconds};
}

}  // namespace

SystemClock::SystemClock() : start_(std::chrono::steady_clock::now()) {}

uint64_t SystemClock::nowMs() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

core::TimeOfDay SystemClock::utcNow() const {
    const Now now = systemNow();
    std::tm tm{};
    gmtime_r(&now.seconds, &tm);
    return fromCalendar(tm, now.milliseconds);
}

core::TimeOfDay SystemClock::localNow() const {
    const Now now = systemNow();
    std::tm tm{};
    localtime_r(&now.seconds, &tm);
    return fromCalendar(tm, now.milliseconds);
}

void SystemClock::sleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
