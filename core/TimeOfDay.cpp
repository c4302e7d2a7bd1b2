#include "TimeOfDay.h"

#include <ctime>

namespace core {

TimeOfDay Later(const TimeOfDay& start, uint64_t ms) {
    std::tm calendar{};
    calendar.tm_year = start.year - 1900;
    calendar.tm_mon = start.month - 1;
    calendar.tm_mday = start.day;
    calendar.tm_hour = start.hour;
    calendar.tm_min = start.minute;
    calendar.tm_sec = start.second;
    // timegm and gmtime_r only do the calendar arithmetic here: no zone is
    // applied on the way in or out.
    const uint64_t totalMs = static_cast<uint64_t>(start.millisecond) + ms;
    const std::time_t seconds = timegm(&calendar) + static_cast<std::time_t>(totalMs / 1000);
    std::tm later{};
    gmtime_r(&seconds, &later);
    return TimeOfDay{later.tm_year + 1900,
                     later.tm_mon + 1,
                     later.tm_mday,
                     later.tm_hour,
                     later.tm_min,
                     later.tm_sec,
                     static_cast<int>(totalMs % 1000)};
}

}  // namespace core
