#pragma once
// The driver's part of the option string: "Model:5124;Language:2;Channels:4;Omit:1199999".
#include <set>
#include <string>

#include "Digiscan.h"

namespace digiscan {

struct DriverSetup {
    ViInt32 model = DIGISCAN_DEFAULT_MODEL;
    ViInt32 language = 0;
    ViInt32 channels = 2;
    std::set<ViAttr> omitted;
};

// IVI_ERROR_INVALID_VALUE for a malformed language, channel count or omitted id. Unknown keys
// are ignored, as a driver ignores settings meant for another model; a model that is not a
// number leaves the default model.
ViStatus parseDriverSetup(const std::string& text, DriverSetup& setup);

}  // namespace digiscan
