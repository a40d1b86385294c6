#pragma once
// The answer of an engine function the stand-in does not implement (counted, injectable).
#include "IviTypes.h"

namespace simivi {
ViStatus notSupported(const char* function);
}
