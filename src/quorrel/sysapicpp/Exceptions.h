#pragma once
// Exceptions of the expert framework that carry the HRESULT the host receives, with the place
// that threw them, and the one mapping of any exception in flight to an HRESULT.
#include <stdexcept>
#include <string>

#include "explorer/SvsResults.h"

#ifndef ORVERR_COMPONENT
#error "ORVERR_COMPONENT must name the library"
#endif

namespace sysapicpp {

class HResultException : public std::runtime_error {
public:
    HResultException(HRESULT hr, const char* file, int line, const char* component = ORVERR_COMPONENT);
    // With a text of its own (what()), which the host receives as the failure's message.
    HResultException(HRESULT hr, const char* text, const char* file, int line,
                     const char* component = ORVERR_COMPONENT);
    HRESULT hresult() const noexcept { return hr_; }
    bool hasText() const noexcept { return hasText_; }
    const char* file() const noexcept { return file_; }
    int line() const noexcept { return line_; }
    const char* component() const noexcept { return component_; }

private:
    HRESULT hr_;
    const char* file_;
    int line_;
    const char* component_;
    bool hasText_ = false;
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

// Inside a catch handler: the HRESULT the host receives for the exception in flight, at every
// COM boundary of the plug-in. A status exception (orverr) and any other standard exception give
// E_FAIL, an allocation failure E_OUTOFMEMORY, an HResultException its HRESULT, anything else
// E_FAIL. text, when given, receives the failure's message (the status document, what(), or
// the HResultException's own text); it is left alone when there is none.
HRESULT hresultOfCurrentException(std::string* text) noexcept;

}  // namespace sysapicpp

#define SYSAPICPP_THROW(ExceptionType) throw ::sysapicpp::ExceptionType(__FILE__, __LINE__)
#define SYSAPICPP_CHECK(hr) ::sysapicpp::checkHResult((hr), __FILE__, __LINE__)
