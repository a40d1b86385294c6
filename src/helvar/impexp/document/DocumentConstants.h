#pragma once
// The attribute configuration document's keys and constants, for the writer and the reader alike.
#include <cstdint>

namespace impexp {
namespace document {

// The format this library writes, and the oldest format a reader of its documents must support.
inline constexpr int32_t kFormatVersion = 1;
inline constexpr int32_t kOldestCompatibleFormatVersion = 1;

// "generatedBy" of every document this library writes.
inline constexpr const char* kGeneratorName = "Helvar.dll";
inline constexpr const char* kGeneratorVersion = "4.5.5f0";

namespace key {
inline constexpr const char* kFormatVersion = "formatVersion";
inline constexpr const char* kOldestCompatibleFormatVersion = "oldestCompatibleFormatVersion";
inline constexpr const char* kTimeStamp = "timeStamp";
inline constexpr const char* kSession = "session";
inline constexpr const char* kChannels = "channels";
inline constexpr const char* kOptionString = "optionString";
inline constexpr const char* kGeneratedBy = "generatedBy";
inline constexpr const char* kName = "name";
inline constexpr const char* kVersion = "version";
inline constexpr const char* kDevices = "devices";
inline constexpr const char* kModelNumber = "modelNumber";
inline constexpr const char* kAttributes = "attributes";
inline constexpr const char* kId = "id";
inline constexpr const char* kChannel = "channel";
inline constexpr const char* kValue = "value";
}  // namespace key

// A ViReal64 that is not finite has no JSON number form: it is written as one of these strings
// in the "value" position (see NonFiniteReal.h for the reading side).
inline constexpr const char* kNaN = "NaN";
inline constexpr const char* kPositiveInfinity = "Infinity";
inline constexpr const char* kNegativeInfinity = "-Infinity";

}  // namespace document
}  // namespace impexp
