// Replaces the malloc family for the whole process (the libraries loaded at run time included)
// with glibc's own functions plus a count of the usable bytes of every live block.
#include "AllocationCounter.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>

extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* block);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

std::atomic<bool> counting{false};
// Signed: a block from before the start may be freed within the span.
std::atomic<long long> live{0};
std::atomic<long long> peak{0};

long long usable(void* block) { return static_cast<long long>(malloc_usable_size(block)); }

// Outside a measurement nothing is counted, so timed runs pay one test per call.
void* counted(void* block) {
    if (block != nullptr && counting.load(std::memory_order_relaxed)) {
        const long long size = usable(block);
        const long long now = live.fetch_add(size, std::memory_order_relaxed) + size;
        long long high = peak.load(std::memory_order_relaxed);
        while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
        }
    }
    return block;
}

void uncounted(void* block) {
    if (block != nullptr && counting.load(std::memory_order_relaxed)) {
        live.fetch_sub(usable(block), std::memory_order_relaxed);
    }
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) { return counted(__libc_malloc(size)); }

void free(void* block) {
    uncounted(block);
    __libc_free(block);
}

void* calloc(std::size_t count, std::size_t size) { return counted(__libc_calloc(count, size)); }

void* realloc(void* block, std::size_t size) {
    if (!counting.load(std::memory_order_relaxed)) return __libc_realloc(block, size);
    const long long before = block != nullptr ? usable(block) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved != nullptr || size == 0) {
        live.fetch_sub(before, std::memory_order_relaxed);
        counted(moved);
    }
    return moved;
}

void* memalign(std::size_t alignment, std::size_t size) { return counted(__libc_memalign(alignment, size)); }

void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }

int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    void* block = memalign(alignment, size);
    if (block == nullptr) return ENOMEM;
    *out = block;
    return 0;
}

}  // extern "C"

namespace bench {

void startHeapCount() {
    live.store(0);
    peak.store(0);
    counting.store(true);
}

void stopHeapCount() { counting.store(false); }

std::size_t heapPeakBytes() { return static_cast<std::size_t>(peak.load()); }

}  // namespace bench
