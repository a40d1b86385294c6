// svsutils: number and identifier text helpers of the explorer.
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "explorer/SvsApi.h"

namespace {

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text; false on a non-digit.
bool readHex(const wchar_t*& text, int digits, uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        int v = hexValue(text[i]);
        if (v < 0) return false;
        value = (value << 4) | static_cast<uint64_t>(v);
    }
    text += digits;
    return true;
}

}  // namespace

extern "C" {

HRESULT svsU32ToString(ULONG value, wchar_t* buffer, ULONG size) {
    if (buffer == nullptr) return E_POINTER;
    wchar_t text[16];
    int length = std::swprintf(text, 16, L"%u", static_cast<unsigned>(value));
    if (length < 0 || static_cast<ULONG>(length) + 1 > size) return E_INVALIDARG;
    std::wmemcpy(buffer, text, static_cast<size_t>(length) + 1);
    return S_OK;
}

HRESULT svsGuidFromString(const wchar_t* text, GUID* id) {
    if (text == nullptr || id == nullptr) return E_POINTER;
    const wchar_t* p = text;
    bool braced = *p == L'{';
    if (braced) ++p;
    uint64_t v = 0;
    GUID result{};
    if (!readHex(p, 8, v) || *p++ != L'-') return E_INVALIDARG;
    result.Data1 = static_cast<uint32_t>(v);
    if (!readHex(p, 4, v) || *p++ != L'-') return E_INVALIDARG;
    result.Data2 = static_cast<uint16_t>(v);
    if (!readHex(p, 4, v) || *p++ != L'-') return E_INVALIDARG;
    result.Data3 = static_cast<uint16_t>(v);
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && *p++ != L'-') return E_INVALIDARG;
        if (!readHex(p, 2, v)) return E_INVALIDARG;
        result.Data4[i] = static_cast<uint8_t>(v);
    }
    if (braced && *p++ != L'}') return E_INVALIDARG;
    if (*p != L'\0') return E_INVALIDARG;
    *id = result;
    return S_OK;
}

HRESULT svsGuidToString(const GUID* id, wchar_t* buffer, ULONG size) {
    if (id == nullptr || buffer == nullptr) return E_POINTER;
    if (size < 39) return E_INVALIDARG;
    std::swprintf(buffer, size, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(id->Data1), static_cast<unsigned>(id->Data2),
                  static_cast<unsigned>(id->Data3), id->Data4[0], id->Data4[1], id->Data4[2], id->Data4[3],
                  id->Data4[4], id->Data4[5], id->Data4[6], id->Data4[7]);
    return S_OK;
}

void svsFree(void* memory) { std::free(memory); }

}  // extern "C"
