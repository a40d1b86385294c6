#pragma once
// Peak heap bytes of a span of the process, counted by a malloc that wraps glibc's own.
#include <cstddef>

namespace bench {

// Counts the blocks allocated from now on; blocks freed meanwhile that were allocated before
// lower the count, so measure a span that frees only what it allocated itself.
void startHeapCount();
void stopHeapCount();
// The highest count of live bytes since the start.
std::size_t heapPeakBytes();

}  // namespace bench
