#pragma once
// The framework's status object (library orvmdbgu): a signed 32-bit code, negative = error,
// positive = warning, plus an optional detail record (component, source place) that is
// allocated by the library and released when the status is dropped.
#include <cstdint>

#include "palu/Export.h"

namespace nORVMDBG100 {

class MDBG_API tStatus2 {
public:
    tStatus2() noexcept : code_(0), detail_(nullptr) {}
    explicit tStatus2(int32_t code) noexcept : code_(code), detail_(nullptr) {}
    tStatus2(const tStatus2& other);
    tStatus2(tStatus2&& other) noexcept;
    tStatus2& operator=(const tStatus2& other);
    tStatus2& operator=(tStatus2&& other) noexcept;
    ~tStatus2();

    int32_t getCode() const noexcept { return code_; }
    bool isFatal() const noexcept { return code_ < 0; }
    bool isNotFatal() const noexcept { return code_ >= 0; }
    bool isWarning() const noexcept { return code_ > 0; }

    // Folds a new code in: an error is never overwritten, a warning gives way to an error, a
    // success takes anything. When the code is installed, the detail records component and
    // place. Returns whether it was installed. Never throws: without memory for the detail
    // the code is still installed.
    bool setCode(int32_t code, const char* component, const char* file, int32_t line) noexcept;

    // Back to 0 without detail.
    void clear() noexcept;

    // "" (and line 0) when the status has no detail.
    const char* getComponent() const noexcept;
    const char* getFile() const noexcept;
    int32_t getLine() const noexcept;

    struct tDetail;

private:
    int32_t code_;
    tDetail* detail_;
};

}  // namespace nORVMDBG100
