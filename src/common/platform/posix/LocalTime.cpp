#include "common/platform/LocalTime.h"

#include <ctime>
#include <limits>

namespace platform {

bool localCalendarFields(int64_t secondsSinceEpoch, CalendarFields& fields) {
    if (secondsSinceEpoch < std::numeric_limits<time_t>::min() || secondsSinceEpoch > std::numeric_limits<time_t>::max())
        return false;
    const time_t instant = static_cast<time_t>(secondsSinceEpoch);
    struct tm local {};
    if (localtime_r(&instant, &local) == nullptr || local.tm_year < -1900) return false;
    fields.year = static_cast<uint32_t>(local.tm_year + 1900);
    fields.month = static_cast<uint32_t>(local.tm_mon + 1);
    fields.day = static_cast<uint32_t>(local.tm_mday);
    fields.hour = static_cast<uint32_t>(local.tm_hour);
    fields.minute = static_cast<uint32_t>(local.tm_min);
    fields.second = static_cast<uint32_t>(local.tm_sec);
    return true;
}

}  // namespace platform
