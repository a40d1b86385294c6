#include "common/platform/LocalTime.h"

#include <ctime>
#include <limits>

namespace platform {

bool localCalendarFields(int64_t secondsSinceEpoch, CalendarFields& fields) {
    if (secondsSinceEpoch < std::numeric_limits<time_t>::min() || secondsSinceEpoch > std::numeric_limits<time_t>::max())
        return false;
    const time_t instant = static_cast<time_t>(secondsSinceEpoch);
    struct tm local {};
    if (localtime_r(&instant, &local) == nullptr) return false;
    return calendarFieldsOf(local, fields);
}

}  // namespace platform
