#pragma once
// A failed call of a host storage interface: the operation, the interface and its HRESULT.
#include <stdexcept>

#include "explorer/Com.h"

namespace nORVMISysAPICommon100 {

class CsvsException : public std::runtime_error {
public:
    CsvsException(const char* operation, const IID& iid, HRESULT hr)
        : std::runtime_error(operation), iid_(iid), hr_(hr) {}
    const IID& iid() const noexcept { return iid_; }
    HRESULT hresult() const noexcept { return hr_; }

private:
    IID iid_;
    HRESULT hr_;
};

// The text of a failed IsvsObject::GetID.
inline constexpr const char* kGetIDOperation = "IsvsObject::GetID";

}  // namespace nORVMISysAPICommon100
