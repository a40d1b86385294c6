#pragma once
// Holders of what a caller receives across the explorer boundary: ComPtr holds one reference on
// a COM-style object, BstrHolder one BSTR; the one pair of the plug-in, the host and their tests.
#include <string>
#include <utility>

#include "explorer/Com.h"

template <class I>
class ComPtr {
public:
    ComPtr() = default;
    // Adds a reference of its own, or with addReference false takes over one the caller owns.
    explicit ComPtr(I* pointer, bool addReference = true) noexcept : pointer_(pointer) {
        if (pointer_ != nullptr && addReference) pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() noexcept {
        if (pointer_ != nullptr) {
            I* old = pointer_;
            pointer_ = nullptr;
            old->Release();
        }
    }
    // Gives up the reference to the caller.
    I* detach() noexcept {
        I* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    // For out parameters: drops the current reference first.
    I** out() noexcept {
        reset();
        return &pointer_;
    }
    void** outVoid() noexcept { return reinterpret_cast<void**>(out()); }
    I* get() const noexcept { return pointer_; }
    I* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // Asks the object for another of its interfaces.
    template <class U>
    HRESULT query(REFIID iid, ComPtr<U>& result) const noexcept {
        return pointer_ != nullptr ? pointer_->QueryInterface(iid, result.outVoid()) : E_POINTER;
    }

private:
    I* pointer_ = nullptr;
};

// Frees a BSTR it was handed when it goes (link the explorer's liboleaut32).
class BstrHolder {
public:
    BstrHolder() = default;
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;
    ~BstrHolder() { SysFreeString(text_); }
    // For out parameters: frees the current text first.
    BSTR* out() noexcept {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }
    BSTR get() const noexcept { return text_; }
    std::wstring str() const { return text_ == nullptr ? std::wstring() : std::wstring(text_, SysStringLen(text_)); }

private:
    BSTR text_ = nullptr;
};
