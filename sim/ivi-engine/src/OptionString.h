#pragma once
// The engine's option string: "Name=value" pairs separated by commas; "DriverSetup=" takes the
// rest of the text, commas included.
#include <string>

#include "IviTypes.h"

namespace simivi {

struct InherentOptions {
    bool rangeCheck = true;
    bool queryInstrumentStatus = false;
    bool cache = true;
    bool simulate = false;
    bool recordCoercions = false;
    bool interchangeCheck = false;
    std::string driverSetup;
};

// IVI_ERROR_INVALID_VALUE for an unknown name or a value that is not a boolean.
ViStatus parseOptionString(ViConstString text, InherentOptions& options);

}  // namespace simivi
