#include "common/orverr/Exception.h"

#include <cstring>

namespace orverr {
namespace {

void copyStatus(Status& target, const Status& source) {
    target.code = source.code;
    if (!source.json) return;
    const size_t length = std::strlen(source.json);
    if (target.reallocate(target, static_cast<uint32_t>(length + 2))) initialiseBuffer(target, source.json);
}

}  // namespace

ExceptionBase::ExceptionBase(const ExceptionBase& other) { copyStatus(status_, other.status_); }

ExceptionBase::~ExceptionBase() = default;

const char* ExceptionBase::documentText() const noexcept { return status_.text(); }

Exception::Exception(Status& status) { assign(status_, status); }

Exception::Exception(const Exception& other) : ExceptionBase(other), std::exception(other) {}

const char* Exception::what() const noexcept { return documentText(); }

ThrowOnErrorStatus::ThrowOnErrorStatus() = default;

ThrowOnErrorStatus::~ThrowOnErrorStatus() noexcept(false) {
    // Never throw while another exception unwinds: that would terminate the process.
    if (status_.code < 0 && std::uncaught_exceptions() == 0) {
        Exception exception(status_);
        status_.release();
        throw exception;
    }
    status_.release();
}

}  // namespace orverr
