#pragma once
// What the session object captured at initialization and documents carry: read by the renderer
// and by the import validator through one pointer to it.
#include <cstdint>
#include <string>

namespace impexp {

struct SessionInformation {
    std::string channels;      // always empty for this driver
    std::string optionString;  // "Simulate=..,RangeCheck=..,Cache=..,DriverSetup=.."
    int32_t modelNumber = 0;
};

}  // namespace impexp
