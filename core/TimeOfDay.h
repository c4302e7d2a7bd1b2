#pragma once

#include <cstdint>

namespace core {

// A calendar date and time of day, as the clocks report it.
struct TimeOfDay {
    int year = 2005;
    int month = 6;
    int day = 15;
    int hour = 12;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    uint32_t millisecondsSinceMidnight() const {
        return static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
    }
};

// The calendar time `ms` milliseconds after `start` (both in the same zone,
// counted without leap seconds).
TimeOfDay Later(const TimeOfDay& start, uint64_t ms);

}  // namespace core
