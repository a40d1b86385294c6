#include "common/platform/ProcessSignals.h"

#include <csignal>

namespace platform {

void ignoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace platform
