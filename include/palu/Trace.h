#pragma once
// The platform's debug trace and check hooks (library orvmdbgu). Off unless the environment
// variable ORV_TRACE is 1 (or a test switches it on, palu/SimTrace.h); then every line goes
// to standard error. When off, every call is a no-op.
#include <cstdint>

#include "palu/Export.h"

namespace nORVMDBG100 {

class MDBG_API tTrace {
public:
    static tTrace& getInstance();

    bool isEnabled() const noexcept;

    // Starts a line of the calling thread: "<type> [<component>] <file>:<line>: ".
    tTrace& putPrefix(char traceType, const char* component, const char* file, int32_t line) noexcept;
    tTrace& putf(const char* format, ...) noexcept ORV_PRINTF_FORMAT(2, 3);
    // Ends and emits the calling thread's line.
    tTrace& endl() noexcept;

private:
    tTrace() = default;
};

// A check, for example "CHECK(palStatusIsNonfatal(status))" of kind "warning": true when its
// report is enabled for the component; only then are the two actions run.
MDBG_API bool evalCheck(const char* checkText, const char* kind, const char* component,
                        const char* file, int32_t line) noexcept;
// Reports the check (through the trace).
MDBG_API void notificationAction(const char* checkText, const char* kind, const char* component,
                                 const char* file, int32_t line) noexcept;
// Whether the caller goes on after the check; always true here (never aborts the process).
MDBG_API bool continuationAction(const char* checkText, const char* kind, const char* component,
                                 const char* file, int32_t line) noexcept;

}  // namespace nORVMDBG100
