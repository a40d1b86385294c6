#include "common/platform/LocalTime.h"

#include <ctime>

namespace platform {

bool localCalendarFields(int64_t secondsSinceEpoch, CalendarFields& fields) {
    const __time64_t instant = static_cast<__time64_t>(secondsSinceEpoch);
    struct tm local {};
    // The run time refuses instants before 1970 and after 3000.
    if (_localtime64_s(&local, &instant) != 0) return false;
    return calendarFieldsOf(local, fields);
}

}  // namespace platform
