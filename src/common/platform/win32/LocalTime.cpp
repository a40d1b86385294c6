#include "common/platform/LocalTime.h"

#include <ctime>

namespace platform {

bool localCalendarFields(int64_t secondsSinceEpoch, CalendarFields& fields) {
    const __time64_t instant = static_cast<__time64_t>(secondsSinceEpoch);
    struct tm local {};
    // The run time refuses instants before 1970 and after 3000.
    if (_localtime64_s(&local, &instant) != 0 || local.tm_year < -1900) return false;
    fields.year = static_cast<uint32_t>(local.tm_year + 1900);
    fields.month = static_cast<uint32_t>(local.tm_mon + 1);
    fields.day = static_cast<uint32_t>(local.tm_mday);
    fields.hour = static_cast<uint32_t>(local.tm_hour);
    fields.minute = static_cast<uint32_t>(local.tm_min);
    fields.second = static_cast<uint32_t>(local.tm_sec);
    return true;
}

}  // namespace platform
