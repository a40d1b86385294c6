#pragma once
// Exceptions that carry a status; the exported boundaries turn them back into statuses.
#include <exception>

#include "common/orverr/Status.h"

namespace orverr {

class ExceptionBase {
public:
    ExceptionBase() = default;
    ExceptionBase(const ExceptionBase& other);
    ExceptionBase& operator=(const ExceptionBase&) = delete;
    virtual ~ExceptionBase();
    // The document text, or "" when there is none.
    virtual const char* documentText() const noexcept;

    Status& status() noexcept { return status_; }
    const Status& status() const noexcept { return status_; }
    int32_t code() const noexcept { return status_.code; }

protected:
    Status status_;
};

class Exception : public virtual ExceptionBase, public virtual std::exception {
public:
    // Takes over the status's code and document.
    explicit Exception(Status& status);
    Exception(const Exception& other);
    const char* what() const noexcept override;
};

// A status handed as a temporary to a status-in/status-out call from exception-style code: at the
// end of the full expression a negative code is thrown as an Exception (unless one is in flight).
class ThrowOnErrorStatus {
public:
    ThrowOnErrorStatus();
    ThrowOnErrorStatus(const ThrowOnErrorStatus&) = delete;
    ThrowOnErrorStatus& operator=(const ThrowOnErrorStatus&) = delete;
    ~ThrowOnErrorStatus() noexcept(false);
    operator Status&() noexcept { return status_; }

private:
    Status status_;
};

}  // namespace orverr
