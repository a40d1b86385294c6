#pragma once
// Helpers for tests that talk to the plug-in's COM objects as the host does.
#include <set>
#include <string>
#include <vector>

#include "explorer/ComPtr.h"
#include "explorer/ErrorInfo.h"
#include "explorer/SysExpert.h"

namespace quorreltest {

// The reference count an object reports, without changing it.
inline ULONG referenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

inline std::vector<std::wstring> drain(IsvSysEnumStringList* list) {
    std::vector<std::wstring> out;
    BSTR item = nullptr;
    ULONG fetched = 0;
    while (list->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        out.emplace_back(item, SysStringLen(item));
        SysFreeString(item);
    }
    return out;
}

inline std::vector<ULONG> drain(IsvSysEnumPropertyTag* tags) {
    std::vector<ULONG> out;
    ULONG tag = 0;
    ULONG fetched = 0;
    while (tags->Next(1, &tag, &fetched) == S_OK && fetched == 1) out.push_back(tag);
    return out;
}

// The calling thread's COM error information (taken, as a host takes it): its description, or
// "" when there is none.
inline std::wstring takeErrorDescription() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return std::wstring();
    BstrHolder text;
    info->GetDescription(text.out());
    info->Release();
    return text.get() == nullptr ? std::wstring() : std::wstring(text.get(), SysStringLen(text.get()));
}

}  // namespace quorreltest
