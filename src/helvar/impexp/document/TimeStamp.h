#pragma once
// The document's "timeStamp": ISO 8601 extended form in UTC without a zone designator, with six
// digits of microseconds only when they are not zero ("2026-12-07T14:45:03.120000", "2026-12-07T14:45:03").
#include <cstdint>
#include <string>

namespace impexp {

struct UtcTime {
    int32_t year = 1970;
    int32_t month = 1;   // 1..12
    int32_t day = 1;     // 1..31
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t microseconds = 0;  // 0..999999
};

std::string formatTimeStamp(const UtcTime& time);

class TimeStampSourceInterface {
public:
    virtual ~TimeStampSourceInterface() = default;
    virtual std::string now() const = 0;
};

// The current UTC time from the microsecond clock.
class UtcTimeStampSource : public TimeStampSourceInterface {
public:
    std::string now() const override;
};

}  // namespace impexp
