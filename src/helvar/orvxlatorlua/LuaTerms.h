#pragma once
// Names and texts of the Lua translator: globals of its scripts, debug members and messages.
namespace orvxlatorlua {

namespace global {
inline constexpr const char* kXlator = "orvxlatorlua_xlator";
inline constexpr const char* kErrHandler = "orvxlatorlua_errHandler";
inline constexpr const char* kSetupEnv = "orvxlatorlua_setupEnv";
inline constexpr const char* kUnmapErrorCode = "orvmxl_unmapErrorCode";
inline constexpr const char* kShellModule = "orvxlatorlua";
inline constexpr const char* kGetStaticDesc = "getStaticDesc";
inline constexpr const char* kGetDynamicDesc = "getDynamicDesc";
}  // namespace global

namespace debug {
inline constexpr const char* kMember = "orvxlatorlua_debug";
inline constexpr const char* kDebug = "debug";
inline constexpr const char* kLib = "lib";
inline constexpr const char* kName = "name";
inline constexpr const char* kRegistrationInfo = "registrationInfo";
inline constexpr const char* kResultType = "resultType";
inline constexpr const char* kCreateStateFailed = "failed to create lua state";
inline constexpr const char* kLoadLibFailed = "failed to load lua lib";
inline constexpr const char* kPreloadFailed = "failed to add embedded modules to preload table";
inline constexpr const char* kSetupEnvFailed = "lua setupEnv failed";
inline constexpr const char* kStaticDescFailed = "failed to get static desc";
inline constexpr const char* kDynamicDescFailed = "failed to get dynamic desc";
inline constexpr const char* kCodePageFailed = "code page conversion failed";
}  // namespace debug

// The "error_constant" of a status code returned by a translator script.
inline constexpr const char* kScriptCodeConstant = "(int32_t)lua_tointeger(L, -1)";

// Written to standard error when an embedded module does not compile.
inline constexpr const char* kModuleLoadFailedFormat = "ERROR: Failed to load \"%s\": %s\n";

namespace stdint {
inline constexpr const char* kParseFailedFormat = "Unable to parse a number out of \"%s\"";
inline constexpr const char* kDivisionByZero = "%s division by zero";
inline constexpr const char* kRemainderByZero = "%s remainder by zero";
}  // namespace stdint

}  // namespace orvxlatorlua
