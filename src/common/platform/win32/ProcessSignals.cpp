#include "common/platform/ProcessSignals.h"

namespace platform {

// Windows has no such signal: a write past a quota already fails with its error.
void ignoreFileSizeLimitSignal() {}

}  // namespace platform
