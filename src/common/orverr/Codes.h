#pragma once
// The one table of codes this system raises, each with the symbolic name written verbatim into
// status documents as "error_constant".
#include <cstdint>

namespace orverr {

struct ErrorCode {
    int32_t code;
    const char* constant;  // null: the raise site writes no "error_constant"
};

namespace codes {
// Attribute model.
inline constexpr ErrorCode kInvalidAttributeValue{-1074135028, "(((-2147483647L-1) + 0x3FFA0000L) + 0x0C)"};
inline constexpr ErrorCode kAttributeTypeMismatch{-1074134970, "(((-2147483647L-1) + 0x3FFA0000L) + 0x46)"};
inline constexpr ErrorCode kNullParameter{-1074134952, "(((-2147483647L-1) + 0x3FFA0000L) + 0x58)"};
inline constexpr ErrorCode kSessionNotRegistered{-1074130544, "(-1074130544L)"};
// Caller arguments: a null path or buffer, a negative size.
inline constexpr ErrorCode kInvalidValue{-1074135024, "ivierrors::ERR_INVALID_VALUE"};
// Files and channels.
inline constexpr ErrorCode kErrReadingFile{-1074135037, "ivierrors::ERR_READING_FILE"};
inline constexpr ErrorCode kErrWritingFile{-1074135036, "ivierrors::ERR_WRITING_FILE"};
inline constexpr ErrorCode kErrUnknownChannelName{-1074135008, "ivierrors::ERR_UNKNOWN_CHANNEL_NAME"};
inline constexpr ErrorCode kErrDuplicateChannelString{-1074134978, "ivierrors::ERR_DUPLICATE_CHANNEL_STRING"};
inline constexpr ErrorCode kErrBadChannelName{-1074134956, "ivierrors::ERR_BAD_CHANNEL_NAME"};
inline constexpr ErrorCode kErrOutOfMemory{-1074134954, "ivierrors::ERR_OUT_OF_MEMORY"};
// Any other standard exception (no constant written).
inline constexpr ErrorCode kUnexpectedFailure{-1074135040, nullptr};
// Import and export.
inline constexpr ErrorCode kIncompatibleSessionChannels{-1074100304, "errors::incompatibleSessionChannels"};
inline constexpr ErrorCode kInvalidVersionFormat{-1074100302, "errors::invalidVersionFormat"};
inline constexpr ErrorCode kLibraryOutOfDate{-1074100301, "errors::libraryOutOfDate"};
inline constexpr ErrorCode kIncompatibleModelNumber{-1074100300, "errors::incompatibleModelNumber"};
inline constexpr ErrorCode kBufferTooSmall{-1074100299, "errors::bufferTooSmall"};
inline constexpr ErrorCode kCorruptedFormat{-1074100298, "errors::corruptedFormat"};
inline constexpr ErrorCode kInvalidSchema{-1074100297, "errors::invalidSchema"};
inline constexpr ErrorCode kNullPtr{-1074098093, "orvmxl::kErrorNULLPtr"};
inline constexpr ErrorCode kOutOfRange{-1074097810, "orvmxl::kErrorOutOfRange"};
inline constexpr ErrorCode kSoftwareFault{-1074097800, "orvmxl::kErrorSoftwareFault"};
// Translator framework, paths and loader.
inline constexpr ErrorCode kMemoryFull{-52000, "orvapalerr_memoryFull"};
inline constexpr ErrorCode kSoftwareFaultInternal{-52003, "orvapalerr_softwareFaultAPALInternalUseOnly"};
inline constexpr ErrorCode kInvalidParameter{-52005, "orvapalerr_invalidParameter"};
inline constexpr ErrorCode kResourceNotFound{-52006, "orvapalerr_resourceNotFound"};
inline constexpr ErrorCode kUnsupportedFormat{-52029, nullptr};
}  // namespace codes

// Constants written with a status whose code comes from elsewhere.
namespace constants {
inline constexpr const char* kEngineError = "error";          // an IVI engine or driver status
inline constexpr const char* kErrorCode = "errorCode";        // a code being described
inline constexpr const char* kStatusInCode = "statusin.code";  // translateStatus fallback
inline constexpr const char* kConverterError = "err";          // code-page conversion
}  // namespace constants

// Statuses of the IVI engine binding itself (returned, not raised).
namespace engine {
inline constexpr int32_t kLoadFailed = -1074135040;         // BFFA0000
inline constexpr int32_t kFunctionMissing = -1074135031;    // BFFA0009
inline constexpr const char* kLoadFailedMessage = "Unable to load IVI Engine (ivi.dll)";
}  // namespace engine

// Quorrel debug configuration
namespace codes {
// Platform statuses of the lockable file and the directory monitor.
inline constexpr ErrorCode kPlatformResourceNotFound{-52006, "nORVAPALS100::tStatus::kResourceNotFound"};
inline constexpr ErrorCode kPlatformOperationTimedOut{-52007, "nORVAPALS100::tStatus::kOperationTimedOut"};
inline constexpr ErrorCode kPlatformOSFault{-52008, "nORVAPALS100::tStatus::kOSFault"};
inline constexpr ErrorCode kPlatformEndOfData{-52012, "nORVAPALS100::tStatus::kEndOfData"};
// The cJSON helpers: a member of the wrong kind, text that does not parse, a missing member.
inline constexpr ErrorCode kJsonWrongType{-52004, "nORVAPALS100::tStatus::kWrongType"};
inline constexpr ErrorCode kJsonParseFailed{-52005, "nORVAPALS100::tStatus::kInvalidParameter"};
inline constexpr ErrorCode kJsonMemberMissing{-52006, "nORVAPALS100::tStatus::kResourceNotFound"};
// Debug configuration file version and entries.
inline constexpr ErrorCode kFileTooNewForSoftware{-1074097795, "orvmxl::kErrorFileTooNewForSoftware"};
inline constexpr ErrorCode kSoftwareTooNewForFile{-1074097794, "orvmxl::kErrorSoftwareTooNewForFile"};
inline constexpr ErrorCode kEntryNotFound{-1074097793, "orvmxl::kErrorNotFound"};
}  // namespace codes
// end Quorrel debug configuration

// The translator that describes this system's elaborations.
inline constexpr const char* kTranslatorName = "mxlator_Digiscan";

}  // namespace orverr
