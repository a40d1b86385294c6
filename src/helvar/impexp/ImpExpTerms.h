#pragma once
// Usage-type names and messages that the import/export engine writes into status documents.
// Each text lives here only; raise sites refer to these names.

namespace impexp {
namespace usage {
inline constexpr const char* kAttributeId = "kUsageTypeAttributeId";
inline constexpr const char* kChannelName = "kUsageTypeChannelName";
inline constexpr const char* kMinValue = "kUsageTypeMinValue";
inline constexpr const char* kInvalidValue = "kUsageTypeInvalidValue";
inline constexpr const char* kFilePath = "kUsageTypeFilePath";
// The operating system's reason for a failed file operation, so the user can act on it.
inline constexpr const char* kAdditionalErrorInfo = "kUsageTypeAdditionalErrorInfo";
inline constexpr const char* kConfigurationVersion = "impexp_kUsageTypeAttributeConfigurationVersion";
inline constexpr const char* kConfigurationExpectedVersion = "impexp_kUsageTypeAttributeConfigurationExpectedVersion";
inline constexpr const char* kConfigurationOldestCompatibleVersion =
    "impexp_kUsageTypeAttributeConfigurationOldestCompatibleVersion";
inline constexpr const char* kConfigurationSessionChannels = "impexp_kUsageTypeAttributeConfigurationSessionChannels";
inline constexpr const char* kExpectedSessionChannels = "impexp_kUsageTypeExpectedSessionChannels";
inline constexpr const char* kConfigurationModelNumber = "impexp_kUsageTypeAttributeConfigurationModelNumber";
inline constexpr const char* kExpectedModelNumber = "impexp_kUsageTypeExpectedModelNumber";
inline constexpr const char* kSchemaErrorPath = "impexp_kUsageTypeSchemaErrorPath";
inline constexpr const char* kSchemaViolationType = "impexp_kUsageTypeSchemaViolationType";
inline constexpr const char* kSchemaRuleViolation = "impexp_kUsageTypeSchemaRuleViolation";
// The entry at fault when a session refuses one: its 1-based place in "attributes" and its "name".
inline constexpr const char* kAttributeEntryPosition = "impexp_kUsageTypeAttributeEntryPosition";
inline constexpr const char* kAttributeName = "impexp_kUsageTypeAttributeName";
// Where a text that is not well formed breaks: 1-based line and byte column, and the parser's reason.
inline constexpr const char* kSyntaxErrorLine = "impexp_kUsageTypeSyntaxErrorLine";
inline constexpr const char* kSyntaxErrorColumn = "impexp_kUsageTypeSyntaxErrorColumn";
inline constexpr const char* kSyntaxErrorReason = "impexp_kUsageTypeSyntaxErrorReason";
// A member name that occurs twice in one object, as a JSON Pointer to its second occurrence.
inline constexpr const char* kDuplicateMemberPath = "impexp_kUsageTypeDuplicateMemberPath";
}  // namespace usage

namespace message {
inline constexpr const char* kAttributeNotInContainer = "Attribute not found in the attribute container!";
inline constexpr const char* kIndexOutOfRange = "Index out of range for attributeVector.";
inline constexpr const char* kUnknownFacadeType = "Unknown type when creating attribute facade!";
inline constexpr const char* kInvalidJsonFile = "Invalid JSON File!!!";
// Our own guards: they stop a programming error from reading the wrong payload.
inline constexpr const char* kRecordTypeMismatch = "Attribute record does not hold the requested type!";
inline constexpr const char* kRecordWithoutValue = "Attribute record holds no value!";
inline constexpr const char* kFacadeTypeMismatch = "Attribute facade does not match the attribute's type!";
// Refusals of caller arguments at the engine's entry points.
inline constexpr const char* kNegativeSize = "Negative buffer size.";
inline constexpr const char* kNullBuffer = "Null buffer with a non-zero size.";
inline constexpr const char* kNullPath = "Null file path.";
}  // namespace message
}  // namespace impexp
