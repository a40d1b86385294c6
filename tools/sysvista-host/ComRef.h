#pragma once
// The host's holders: ComPtr for interfaces, BstrHolder for texts it receives.
#include "explorer/Com.h"
#include "explorer/ComPtr.h"

namespace sysvistahost {

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
