#pragma once
// An owned BSTR: copied in and out, freed with the explorer's BSTR services.
#include <new>
#include <string>
#include <utility>

#include "explorer/Com.h"

class CorvBStr {
public:
    CorvBStr() = default;
    // Copies text (null: an empty string); throws std::bad_alloc when no BSTR can be made.
    explicit CorvBStr(const wchar_t* text) : text_(allocate(text == nullptr ? L"" : text)) {}
    explicit CorvBStr(const std::wstring& text) : text_(allocate(text)) {}
    CorvBStr(const CorvBStr& other) : text_(checked(other.copy())) {}
    CorvBStr(CorvBStr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    CorvBStr& operator=(CorvBStr other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }
    ~CorvBStr() { SysFreeString(text_); }

    std::wstring str() const { return text_ == nullptr ? std::wstring() : std::wstring(text_, SysStringLen(text_)); }
    // A new BSTR for a caller who frees it; null when out of memory.
    BSTR copy() const noexcept { return SysAllocStringLen(text_ == nullptr ? L"" : text_, SysStringLen(text_)); }
    // Hands ownership of a new BSTR of text to the caller; throws std::bad_alloc.
    static BSTR allocate(const std::wstring& text) {
        return checked(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    }

private:
    // Straight into the BSTR, without a std::wstring on the way.
    static BSTR allocate(const wchar_t* text) { return checked(SysAllocString(text)); }
    static BSTR checked(BSTR made) {
        if (made == nullptr) throw std::bad_alloc();
        return made;
    }

    BSTR text_ = nullptr;
};
