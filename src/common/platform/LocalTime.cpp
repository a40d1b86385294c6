#include "common/platform/LocalTime.h"

namespace platform {

bool calendarFieldsOf(const struct tm& local, CalendarFields& fields) {
    if (local.tm_year < -1900) return false;
    fields.year = static_cast<uint32_t>(local.tm_year + 1900);
    fields.month = static_cast<uint32_t>(local.tm_mon + 1);
    fields.day = static_cast<uint32_t>(local.tm_mday);
    fields.hour = static_cast<uint32_t>(local.tm_hour);
    fields.minute = static_cast<uint32_t>(local.tm_min);
    fields.second = static_cast<uint32_t>(local.tm_sec);
    return true;
}

}  // namespace platform
