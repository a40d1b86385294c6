#pragma once
// The platform's packed version number (library orvpalu).
#include <cstdint>

#include "palu/Export.h"

// major bits 31-24, minor 23-20, update 19-16, phase 15-14 (d 0, a 1, b 2, f 3), build 13-0.
// Versions compare as plain unsigned numbers.
class PALU_API tSSVersion {
public:
    constexpr tSSVersion() noexcept : value_(0) {}
    constexpr explicit tSSVersion(uint32_t value) noexcept : value_(value) {}
    constexpr tSSVersion(uint32_t major, uint32_t minor, uint32_t update, uint32_t phase,
                         uint32_t build) noexcept
        : value_(((major & 0xFFu) << 24) | ((minor & 0xFu) << 20) | ((update & 0xFu) << 16) |
                 ((phase & 0x3u) << 14) | (build & 0x3FFFu)) {}

    constexpr uint32_t getValue() const noexcept { return value_; }
    constexpr uint32_t getMajor() const noexcept { return value_ >> 24; }
    constexpr uint32_t getMinor() const noexcept { return (value_ >> 20) & 0xFu; }
    constexpr uint32_t getUpdate() const noexcept { return (value_ >> 16) & 0xFu; }
    constexpr uint32_t getPhase() const noexcept { return (value_ >> 14) & 0x3u; }
    constexpr uint32_t getBuild() const noexcept { return value_ & 0x3FFFu; }

    // Writes "major.minor.update<phase letter>build" (0x1210C000: "18.1.0f0"), truncated to
    // fit and always NUL-terminated when bufferSize > 0. Returns buffer.
    char* toString(char* buffer, uint32_t bufferSize) const noexcept;

    // Enough for the longest text, "255.15.15f16383".
    static constexpr uint32_t kMaxTextSize = 20;

    friend constexpr bool operator==(tSSVersion a, tSSVersion b) noexcept { return a.value_ == b.value_; }
    friend constexpr bool operator!=(tSSVersion a, tSSVersion b) noexcept { return a.value_ != b.value_; }
    friend constexpr bool operator<(tSSVersion a, tSSVersion b) noexcept { return a.value_ < b.value_; }
    friend constexpr bool operator>(tSSVersion a, tSSVersion b) noexcept { return a.value_ > b.value_; }
    friend constexpr bool operator<=(tSSVersion a, tSSVersion b) noexcept { return a.value_ <= b.value_; }
    friend constexpr bool operator>=(tSSVersion a, tSSVersion b) noexcept { return a.value_ >= b.value_; }

private:
    uint32_t value_;
};
