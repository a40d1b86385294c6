#pragma once
// A failed call of a host storage interface: the operation (its text), the interface and its HRESULT.
#include "explorer/Com.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

class CsvsException : public sysapicpp::HResultException {
public:
    CsvsException(const char* operation, const IID& iid, HRESULT hr, const char* file, int line)
        : sysapicpp::HResultException(hr, operation, file, line), iid_(iid) {}
    const IID& iid() const noexcept { return iid_; }

private:
    IID iid_;
};

// The text of a failed IsvsObject::GetID.
inline constexpr const char* kGetIDOperation = "IsvsObject::GetID";

}  // namespace nORVMISysAPICommon100
