#pragma once
// Exceptions of the expert framework that carry the HRESULT the host receives, with the place
// that threw them.
#include <stdexcept>

#include "explorer/SvsResults.h"

#ifndef ORVERR_COMPONENT
#error "ORVERR_COMPONENT must name the library"
#endif

namespace sysapicpp {

class HResultException : public std::runtime_error {
public:
    HResultException(HRESULT hr, const char* file, int line, const char* component = ORVERR_COMPONENT);
    HRESULT hresult() const noexcept { return hr_; }
    const char* file() const noexcept { return file_; }
    int line() const noexcept { return line_; }
    const char* component() const noexcept { return component_; }

private:
    HRESULT hr_;
    const char* file_;
    int line_;
    const char* component_;
};

// One class per HRESULT the framework raises by name.
template <HRESULT Hr>
class HResultExceptionOf : public HResultException {
public:
    HResultExceptionOf(const char* file, int line) : HResultException(Hr, file, line) {}
};

using FailException = HResultExceptionOf<E_FAIL>;
using NotImplException = HResultExceptionOf<E_NOTIMPL>;
using UnexpectedException = HResultExceptionOf<E_UNEXPECTED>;
using PropMismatchException = HResultExceptionOf<SVSYS_E_PROP_MISMATCH>;
using ValidationValueException = HResultExceptionOf<SVSYS_E_VALIDATION_VALUE>;
using ItemNotExistException = HResultExceptionOf<SVSYS_E_ITEM_NOT_EXIST>;

// Throws a failure HRESULT with the caller's place; successes pass.
void checkHResult(HRESULT hr, const char* file, int line);

}  // namespace sysapicpp

#define SYSAPICPP_THROW(ExceptionType) throw ::sysapicpp::ExceptionType(__FILE__, __LINE__)
#define SYSAPICPP_CHECK(hr) ::sysapicpp::checkHResult((hr), __FILE__, __LINE__)
