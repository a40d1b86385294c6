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

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* counted(void* block) {
    if (block != nullptr) {
        const std::size_t now = live.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) +
                                malloc_usable_size(block);
        std::size_t high = peak.load(std::memory_order_relaxed);
        while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
        }
    }
    return block;
}

void uncounted(void* block) {
    if (block != nullptr) live.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
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
    const std::size_t before = block != nullptr ? malloc_usable_size(block) : 0;
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

std::size_t liveHeapBytes() { return live.load(); }

void resetHeapPeak() { peak.store(live.load()); }

std::size_t heapPeakBytes() { return peak.load(); }

}  // namespace bench
