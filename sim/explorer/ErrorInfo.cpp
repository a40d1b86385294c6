// Error information of the calling thread, as oleaut32 keeps it.
#include "explorer/ErrorInfo.h"

#include <atomic>
#include <cstring>
#include <new>
#include <string>

namespace {

bool sameId(const IID& a, const IID& b) { return std::memcmp(&a, &b, sizeof(IID)) == 0; }

HRESULT copyOut(const std::wstring& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = SysAllocString(text.c_str());
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

class ErrorObject final : public IErrorInfo, public ICreateErrorInfo {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (sameId(iid, IID_IUnknown) || sameId(iid, IID_IErrorInfo)) {
            *object = static_cast<IErrorInfo*>(this);
        } else if (sameId(iid, IID_ICreateErrorInfo)) {
            *object = static_cast<ICreateErrorInfo*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT GetGUID(GUID* id) override {
        if (id == nullptr) return E_POINTER;
        *id = id_;
        return S_OK;
    }
    HRESULT GetSource(BSTR* source) override { return copyOut(source_, source); }
    HRESULT GetDescription(BSTR* description) override { return copyOut(description_, description); }
    HRESULT GetHelpFile(BSTR* helpFile) override { return copyOut(helpFile_, helpFile); }
    HRESULT GetHelpContext(ULONG* helpContext) override {
        if (helpContext == nullptr) return E_POINTER;
        *helpContext = helpContext_;
        return S_OK;
    }

    HRESULT SetGUID(const GUID& id) override {
        id_ = id;
        return S_OK;
    }
    HRESULT SetSource(const wchar_t* source) override { return assign(source_, source); }
    HRESULT SetDescription(const wchar_t* description) override { return assign(description_, description); }
    HRESULT SetHelpFile(const wchar_t* helpFile) override { return assign(helpFile_, helpFile); }
    HRESULT SetHelpContext(ULONG helpContext) override {
        helpContext_ = helpContext;
        return S_OK;
    }

private:
    static HRESULT assign(std::wstring& field, const wchar_t* text) {
        try {
            field = text != nullptr ? text : L"";
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    std::atomic<ULONG> references_{1};
    GUID id_{};
    std::wstring source_, description_, helpFile_;
    ULONG helpContext_ = 0;
};

// The thread's error object; one reference is held here.
IErrorInfo*& current() {
    thread_local IErrorInfo* info = nullptr;
    return info;
}

}  // namespace

extern "C" {

HRESULT CreateErrorInfo(ICreateErrorInfo** created) {
    if (created == nullptr) return E_POINTER;
    ErrorObject* object = new (std::nothrow) ErrorObject;
    *created = object;
    return object == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info) {
    if (reserved != 0) return E_INVALIDARG;
    if (info != nullptr) info->AddRef();
    IErrorInfo* old = current();
    current() = info;
    if (old != nullptr) old->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (reserved != 0) return E_INVALIDARG;
    *info = current();
    current() = nullptr;
    return *info == nullptr ? S_FALSE : S_OK;
}

}
