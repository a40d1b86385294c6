#include "helvar/impexp/document/TimeStamp.h"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <cstdio>

namespace impexp {

std::string formatTimeStamp(const UtcTime& time) {
    char text[48];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", static_cast<int>(time.year),
                               static_cast<int>(time.month), static_cast<int>(time.day), static_cast<int>(time.hours),
                               static_cast<int>(time.minutes), static_cast<int>(time.seconds));
    if (time.microseconds != 0 && length > 0 && static_cast<size_t>(length) < sizeof text) {
        std::snprintf(text + length, sizeof text - static_cast<size_t>(length), ".%06d",
                      static_cast<int>(time.microseconds));
    }
    return text;
}

std::string UtcTimeStampSource::now() const {
    const boost::posix_time::ptime now = boost::posix_time::microsec_clock::universal_time();
    const boost::gregorian::date date = now.date();
    const boost::posix_time::time_duration clock = now.time_of_day();
    UtcTime time;
    time.year = static_cast<int32_t>(date.year());
    time.month = static_cast<int32_t>(date.month());
    time.day = static_cast<int32_t>(date.day());
    time.hours = static_cast<int32_t>(clock.hours());
    time.minutes = static_cast<int32_t>(clock.minutes());
    time.seconds = static_cast<int32_t>(clock.seconds());
    // Scaled explicitly: the clock's resolution is a build setting of boost.
    time.microseconds = static_cast<int32_t>(clock.fractional_seconds() * 1000000 /
                                             boost::posix_time::time_duration::ticks_per_second());
    return formatTimeStamp(time);
}

}  // namespace impexp
