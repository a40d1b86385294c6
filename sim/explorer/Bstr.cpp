// BSTR services: the text is preceded by its length in bytes as a 32-bit unsigned number.
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

#include "explorer/Com.h"

namespace {

constexpr size_t kPrefixSize = sizeof(uint32_t);
// The byte length must fit the 32-bit prefix.
constexpr size_t kMaxLength = (std::numeric_limits<uint32_t>::max() - kPrefixSize) / sizeof(wchar_t) - 1;

uint32_t* prefixOf(BSTR text) { return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(text) - kPrefixSize); }

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const wchar_t* text, UINT length) {
    if (length > kMaxLength) return nullptr;
    size_t bytes = static_cast<size_t>(length) * sizeof(wchar_t);
    char* block = static_cast<char*>(std::malloc(kPrefixSize + bytes + sizeof(wchar_t)));
    if (block == nullptr) return nullptr;
    uint32_t prefix = static_cast<uint32_t>(bytes);
    std::memcpy(block, &prefix, kPrefixSize);
    BSTR result = reinterpret_cast<BSTR>(block + kPrefixSize);
    if (text != nullptr) {
        std::memcpy(result, text, bytes);
    } else {
        std::memset(result, 0, bytes);
    }
    result[length] = L'\0';
    return result;
}

BSTR SysAllocString(const wchar_t* text) {
    if (text == nullptr) return nullptr;
    size_t length = std::wcslen(text);
    if (length > kMaxLength) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length));
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *prefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / static_cast<UINT>(sizeof(wchar_t)); }

void SysFreeString(BSTR text) {
    if (text != nullptr) std::free(prefixOf(text));
}

}  // extern "C"
