#pragma once
// COM error information: the text of a failure, kept per thread beside its HRESULT. An object
// sets it just before returning a failure; the caller takes it with GetErrorInfo (which clears
// it). The functions live in the explorer's support library liboleaut32.so (oleaut32 on Windows).
#include "explorer/Com.h"

inline constexpr IID IID_IErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
inline constexpr IID IID_ICreateErrorInfo = {0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

class IErrorInfo : public IUnknown {
public:
    virtual HRESULT GetGUID(GUID* id) = 0;
    virtual HRESULT GetSource(BSTR* source) = 0;
    virtual HRESULT GetDescription(BSTR* description) = 0;
    virtual HRESULT GetHelpFile(BSTR* helpFile) = 0;
    virtual HRESULT GetHelpContext(ULONG* helpContext) = 0;
};

class ICreateErrorInfo : public IUnknown {
public:
    virtual HRESULT SetGUID(const GUID& id) = 0;
    virtual HRESULT SetSource(const wchar_t* source) = 0;
    virtual HRESULT SetDescription(const wchar_t* description) = 0;
    virtual HRESULT SetHelpFile(const wchar_t* helpFile) = 0;
    virtual HRESULT SetHelpContext(ULONG helpContext) = 0;
};

extern "C" {
// A new, empty error object; query it for IErrorInfo to hand it to SetErrorInfo.
OLEAUT_API HRESULT CreateErrorInfo(ICreateErrorInfo** created);
// Makes info (null: none) the calling thread's error information; reserved must be 0.
OLEAUT_API HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
// Takes the calling thread's error information: S_FALSE and null when there is none.
OLEAUT_API HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);
}
