#pragma once
// Live and peak heap bytes of the whole process, counted by a malloc that wraps glibc's own.
#include <cstddef>

namespace bench {

std::size_t liveHeapBytes();
// Starts a new peak at the bytes live now.
void resetHeapPeak();
std::size_t heapPeakBytes();

}  // namespace bench
