#pragma once
// "internal_error": {"api", "code"[, "string"]}: the operating-system (or run-time) failure behind
// a raise. Every raise site writes it through these functions, so the member names and the
// names of the numbering schemes live here only.
#include <cstdint>

#include "common/platform/OsError.h"

namespace orverr {

class Raise;

namespace internal_error {
inline constexpr const char* kMember = "internal_error";
inline constexpr const char* kApi = "api";
inline constexpr const char* kCode = "code";
inline constexpr const char* kString = "string";
// Which numbering "code" follows.
inline constexpr const char* kApiErrno = "errno";
inline constexpr const char* kApiWin32 = "win32";
inline constexpr const char* kApiHresult = "hresult";
inline constexpr const char* kApiLua = "lua";
// The numbering of the platform layer's OsError codes: the C errno here, GetLastError on Windows.
#if defined(_WIN32)
inline constexpr const char* kApiSystem = kApiWin32;
#else
inline constexpr const char* kApiSystem = kApiErrno;
#endif
}  // namespace internal_error

// Appends the object to the raise's status; nothing when the raise kept an earlier error. A
// null message leaves out "string".
void addInternalError(Raise& raise, const char* api, int32_t code, const char* message);
// Windows error numbers are unsigned.
void addInternalError(Raise& raise, const char* api, uint32_t code, const char* message);
void addInternalError(Raise& raise, const char* api, const platform::OsError& error);

}  // namespace orverr
