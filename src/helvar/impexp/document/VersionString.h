#pragma once
// The "major.minor.update<phase><build>" version strings of "generatedBy"."version", e.g. "4.5.5f0".
#include <cstdint>
#include <optional>

namespace impexp {
namespace document {

// The packed value (major 31..24, minor 23..20, update 19..16, phase 15..14, build 13..0), or
// nothing when text is null or not a valid version string. Characters after the build are ignored.
std::optional<uint32_t> parseVersionString(const char* text);

}  // namespace document
}  // namespace impexp
