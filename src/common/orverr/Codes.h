#pragma once
// The codes this system raises, each with the symbolic name written verbatim into status
// documents as "error_constant"; the table itself is Codes.def.
#include <cstdint>

namespace orverr {

struct ErrorCode {
    int32_t code;
    const char* constant;  // null: the raise site writes no "error_constant"
};

namespace codes {
#define ORVERR_CODE(name, value, constant) inline constexpr ErrorCode name{value, constant};
#include "common/orverr/Codes.def"
#undef ORVERR_CODE
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


// The translator that describes this system's elaborations.
inline constexpr const char* kTranslatorName = "mxlator_Digiscan";

}  // namespace orverr
