#pragma once
// The raise pattern every raise site uses: the code, then "error_constant", "file", "line",
// "component" and, where the site has details, the elaborations under our translator.
//
//   ORVERR_RAISE_INTO(status, orverr::codes::kErrReadingFile).usage("kUsageTypeFilePath", path);
//   ORVERR_THROW(orverr::codes::kBufferTooSmall).usageUInt64("kUsageTypeMinValue", n).raise();
#include <cstdint>
#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/JsonCursor.h"
#include "common/orverr/Status.h"

#ifndef ORVERR_COMPONENT
#error "ORVERR_COMPONENT must name the library (Helvar or Quorrel)"
#endif

namespace orverr {

class Raise {
public:
    // Raises into the caller's status (status-in/status-out style).
    Raise(Status& status, ErrorCode error, const char* file, int line, const char* component);
    // Raises into a status of its own, to be thrown with raise().
    Raise(ErrorCode error, const char* file, int line, const char* component);
    Raise(const Raise&) = delete;
    Raise& operator=(const Raise&) = delete;

    // Elaboration items; written only when this raise installed its code.
    Raise& usage(const char* usageType, const char* value);
    Raise& usage(const char* usageType, const std::string& value) { return usage(usageType, value.c_str()); }
    Raise& usageInt32(const char* usageType, int32_t value);
    Raise& usageUInt32(const char* usageType, uint32_t value);
    Raise& usageUInt64(const char* usageType, uint64_t value);
    Raise& comment(const char* text);
    // Makes the empty elaboration list appear (raise sites "with elaborations" but no items).
    Raise& elaborations();

    // Further top-level members (debug objects, internal errors).
    Raise& member(const char* name, const char* value);
    Raise& member(const char* name, int32_t value);
    JsonCursor topLevel();

    bool installed() const noexcept { return installed_; }
    Status& status() noexcept { return target_; }

    // Throws an Exception built from the status, even when the code was not replaced.
    [[noreturn]] void raise();

private:
    JsonCursor& elaborationPosition();

    Status own_;
    Status& target_;
    bool installed_ = false;
    bool elaborationsOpened_ = false;
    JsonCursor elaboration_;
};

}  // namespace orverr

#define ORVERR_RAISE_INTO(status, error) ::orverr::Raise((status), (error), __FILE__, __LINE__, ORVERR_COMPONENT)
#define ORVERR_THROW(error) ::orverr::Raise((error), __FILE__, __LINE__, ORVERR_COMPONENT)
// An IVI engine or driver status, raised with the constant "error" and an empty elaboration list.
#define ORVERR_THROW_ENGINE(code)                                                                  \
    ::orverr::Raise(::orverr::ErrorCode{(code), ::orverr::constants::kEngineError}, __FILE__, __LINE__, \
                    ORVERR_COMPONENT).elaborations().raise()
