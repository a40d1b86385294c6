#pragma once
// COM-style basics of the explorer boundary, with the widths of the 64-bit Windows target.
//
// BSTR services: SysAllocString, SysAllocStringLen, SysStringLen, SysStringByteLen and
// SysFreeString live in the explorer's support library liboleaut32.so (oleaut32 on Windows);
// link it to allocate or free BSTRs. A BSTR points at NUL-terminated wide text that is preceded
// by its length in bytes as a 32-bit unsigned number.
#include <cstdint>

#include "palu/Export.h"

typedef int32_t HRESULT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int32_t BOOL;
typedef uint32_t UINT;
typedef wchar_t* BSTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const IID& REFIID;

inline constexpr bool operator==(const GUID& a, const GUID& b) noexcept {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           a.Data4[0] == b.Data4[0] && a.Data4[1] == b.Data4[1] && a.Data4[2] == b.Data4[2] &&
           a.Data4[3] == b.Data4[3] && a.Data4[4] == b.Data4[4] && a.Data4[5] == b.Data4[5] &&
           a.Data4[6] == b.Data4[6] && a.Data4[7] == b.Data4[7];
}
inline constexpr bool operator!=(const GUID& a, const GUID& b) noexcept { return !(a == b); }

// Result codes with their Windows values.
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);

inline constexpr bool SUCCEEDED(HRESULT hr) noexcept { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) noexcept { return hr < 0; }

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Slots 0-2 of every interface.
class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

extern "C" {
// A new BSTR holding a copy of text (null text: null result). Null when out of memory.
OLEAUT_API BSTR SysAllocString(const wchar_t* text);
// A new BSTR of length characters, copied from text or zero-filled when text is null.
OLEAUT_API BSTR SysAllocStringLen(const wchar_t* text, UINT length);
// Length in characters (0 for null).
OLEAUT_API UINT SysStringLen(BSTR text);
// Length in bytes, without the terminator (0 for null).
OLEAUT_API UINT SysStringByteLen(BSTR text);
// Frees a BSTR of SysAllocString or SysAllocStringLen; null is ignored.
OLEAUT_API void SysFreeString(BSTR text);
}
