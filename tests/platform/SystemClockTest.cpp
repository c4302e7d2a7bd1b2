#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/SystemClock.h"

namespace platform {
namespace {

// Seconds since the epoch for a UTC calendar time, to compare clocks without
// caring on which side of a second boundary each was read.
int64_t epochSeconds(const core::TimeOfDay& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    return static_cast<int64_t>(timegm(&tm));
}

void expectPlausible(const core::TimeOfDay& t) {
    EXPECT_GE(t.year, 2020);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12) << t.month;
    EXPECT_TRUE(t.day >= 1 && t.day <= 31) << t.day;
    EXPECT_TRUE(t.hour >= 0 && t.hour <= 23) << t.hour;
    EXPECT_TRUE(t.minute >= 0 && t.minute <= 59) << t.minute;
    EXPECT_TRUE(t.second >= 0 && t.second <= 60) << t.second;
    EXPECT_TRUE(t.millisecond >= 0 && t.millisecond <= 999) << t.millisecond;
}

// Sets TZ for one test and puts the old value back afterwards.
class TimeZone {
  public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    std::optional<std::string> old_;
};

TEST(SystemClock, CounterStartsNearZeroNeverGoesBackAndFollowsSleep) {
    SystemClock clock;
    const uint64_t first = clock.nowMs();
    EXPECT_LT(first, 1000u);
    uint64_t previous = first;
    for (int i = 0; i < 10000; ++i) {
        const uint64_t now = clock.nowMs();
        ASSERT_GE(now, previous);
        previous = now;
    }
    const uint64_t beforeSleep = clock.nowMs();
    clock.sleepMs(30);
    EXPECT_GE(clock.nowMs() - beforeSleep, 30u);
}

TEST(SystemClock, UtcTimeOfDayIsTheSystemTime) {
    SystemClock clock;
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    const core::TimeOfDay utc = clock.utcNow();
    const int64_t after = static_cast<int64_t>(std::time(nullptr));
    expectPlausible(utc);
    EXPECT_GE(epochSeconds(utc), before);
    EXPECT_LE(epochSeconds(utc), after);
}

TEST(SystemClock, MillisecondsMove) {
    SystemClock clock;
    const core::TimeOfDay first = clock.utcNow();
    clock.sleepMs(7);
    const core::TimeOfDay second = clock.utcNow();
    const int64_t elapsedMs = (epochSeconds(second) - epochSeconds(first)) * 1000 +
                              (second.millisecond - first.millisecond);
    EXPECT_GE(elapsedMs, 7);
    EXPECT_LT(elapsedMs, 5000);
}

TEST(SystemClock, LocalTimeFollowsTheTimeZone) {
    const TimeZone zone("XYZ-3");  // three hours east of UTC, no daylight saving
    SystemClock clock;
    const core::TimeOfDay utc = clock.utcNow();
    const core::TimeOfDay local = clock.localNow();
    expectPlausible(local);
    const int64_t offset = epochSeconds(local) - epochSeconds(utc);
    EXPECT_GE(offset, 3 * 3600);
    EXPECT_LE(offset, 3 * 3600 + 1);
}

}  // namespace
}  // namespace platform
