#pragma once
// Helpers shared by the posix system-call tables.
#include <sys/types.h>

namespace platform::posix {

// open() that is tried again when a signal interrupts it, the real `open` of every table.
int openRetryingOnInterrupt(const char* path, int flags, mode_t mode);

}  // namespace platform::posix
