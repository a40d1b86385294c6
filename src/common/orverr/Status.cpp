#include "common/orverr/Status.h"

#include <cstdlib>
#include <cstring>

namespace orverr {
namespace {

constexpr uint32_t kMinimumCapacity = 512;
constexpr char kSentinel = 'J';
constexpr const char* kEmptyDocument = "{}";

uint32_t roundUpToPowerOfTwo(uint32_t n) {
    uint32_t p = 1;
    while (p < n) p <<= 1;
    return p;
}

void fillBuffer(char* buffer, uint32_t capacity, const char* text, size_t length) {
    std::memcpy(buffer, text, length + 1);
    std::memset(buffer + length + 1, 0, capacity - length - 1);
    buffer[capacity - 1] = kSentinel;
}

}  // namespace

bool defaultReallocate(Status& status, uint32_t requested) {
    if (requested == 0) {
        std::free(status.json);
        status.json = nullptr;
        status.capacity = 0;
        return true;
    }
    if (requested <= status.capacity) return true;
    if (static_cast<int32_t>(requested) < 0) return false;

    const uint32_t capacity = requested < kMinimumCapacity ? kMinimumCapacity : roundUpToPowerOfTwo(requested);
    const char* text = status.json ? status.json : kEmptyDocument;
    const size_t length = std::strlen(text);
    if (length + 1 >= capacity) return false;
    char* buffer = static_cast<char*>(std::malloc(capacity));
    if (!buffer) return false;
    fillBuffer(buffer, capacity, text, length);
    std::free(status.json);
    status.json = buffer;
    status.capacity = capacity;
    return true;
}

void Status::release() {
    code = 0;
    if (reallocate) reallocate(*this, 0);
    if (json) {  // a reallocate that refused to free must not leak
        std::free(json);
        json = nullptr;
        capacity = 0;
    }
}

void resetToSuccess(Status& status) { status.release(); }

bool initialiseBuffer(Status& status, const char* text) {
    if (!status.json || status.capacity == 0) return false;
    const size_t length = std::strlen(text);
    if (length + 1 >= status.capacity) return false;
    fillBuffer(status.json, status.capacity, text, length);
    return true;
}

bool setCode(Status& status, int32_t newCode) {
    const bool install = (status.code == 0 && newCode != 0) || (status.code > 0 && newCode < 0);
    if (!install) return false;
    status.code = newCode;
    if (status.json) initialiseBuffer(status, kEmptyDocument);
    return true;
}

bool assign(Status& status, Status& other) {
    if (&status == &other) return false;
    if (!setCode(status, other.code)) return false;
    if (!other.json) return true;
    if (status.reallocate == other.reallocate) {
        status.reallocate(status, 0);
        status.json = other.json;
        status.capacity = other.capacity;
        other.json = nullptr;
        other.capacity = 0;
        return true;
    }
    const size_t length = std::strlen(other.json);
    if (status.reallocate(status, static_cast<uint32_t>(length + 2))) initialiseBuffer(status, other.json);
    return true;
}

}  // namespace orverr
