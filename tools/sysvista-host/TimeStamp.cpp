#include "TimeStamp.h"

#include <chrono>
#include <cstdio>

namespace sysvistahost {

std::string timeStamp() {
    using namespace std::chrono;
    const auto now = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    const long long day = now % (24LL * 3600 * 1000000);
    char text[32];
    std::snprintf(text, sizeof text, "[%02lld:%02lld:%02lld.%06lld]", day / 3600000000LL, day / 60000000LL % 60,
                  day / 1000000LL % 60, day % 1000000LL);
    return text;
}

}  // namespace sysvistahost
