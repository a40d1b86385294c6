#pragma once
// Calendar fields of a UTC instant in the machine's local time zone.
#include <cstdint>
#include <ctime>

namespace platform {

struct CalendarFields {
    uint32_t year = 0;
    uint32_t month = 0;  // 1-12
    uint32_t day = 0;
    uint32_t hour = 0;
    uint32_t minute = 0;
    uint32_t second = 0;
};

// False when the instant cannot be represented in local time.
bool localCalendarFields(int64_t secondsSinceEpoch, CalendarFields& fields);

// The fields of a broken-down time as the C library gives it; false before year 0.
bool calendarFieldsOf(const struct tm& local, CalendarFields& fields);

}  // namespace platform
