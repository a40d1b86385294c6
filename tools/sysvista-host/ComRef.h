#pragma once
// Holds one reference on a COM-style interface.
#include "explorer/Com.h"

namespace sysvistahost {

template <typename T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already owns.
    explicit ComRef(T* owned) : _p(owned) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : _p(other._p) { other._p = nullptr; }
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            reset();
            _p = other._p;
            other._p = nullptr;
        }
        return *this;
    }
    ~ComRef() { reset(); }

    void reset() {
        if (_p != nullptr) _p->Release();
        _p = nullptr;
    }
    T** out() {
        reset();
        return &_p;
    }
    T* get() const { return _p; }
    T* operator->() const { return _p; }
    explicit operator bool() const { return _p != nullptr; }

    template <typename U>
    HRESULT query(const IID& iid, ComRef<U>& result) const {
        void* raw = nullptr;
        HRESULT hr = _p ? _p->QueryInterface(iid, &raw) : E_POINTER;
        if (SUCCEEDED(hr)) *result.out() = static_cast<U*>(raw);
        return hr;
    }

private:
    T* _p = nullptr;
};

// Frees a BSTR when it goes.
class BstrHolder {
public:
    BstrHolder() = default;
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;
    ~BstrHolder() { SysFreeString(_text); }
    BSTR* out() {
        SysFreeString(_text);
        _text = nullptr;
        return &_text;
    }
    BSTR get() const { return _text; }

private:
    BSTR _text = nullptr;
};

}  // namespace sysvistahost
