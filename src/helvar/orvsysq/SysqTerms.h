#pragma once
// Names and texts of the standard paths: variables, registry locations and debug members.
namespace orvsysq {

namespace variable {
inline constexpr const char* kShared32Dir = "_orvShared32Dir";
inline constexpr const char* kSharedDir = "_orvSharedDir";
inline constexpr const char* kCommonAppDataDir = "_commonAppDataDir";
inline constexpr const char* kTempDir = "_tempDir";
}  // namespace variable

namespace registry {
inline constexpr const char* kInstallerKey = "SOFTWARE\\Orvane\\Common\\Installer";
inline constexpr const char* kShared32DirValue = "ORVSHAREDDIR";
inline constexpr const char* kSharedDirValue = "ORVSHAREDDIR64";
// Followed by the translator's name.
inline constexpr const char* kPluginsKeyPrefix = "SOFTWARE\\Orvane\\ORV-Xlator\\plugins\\";
}  // namespace registry

// Appended to the common application data folder.
inline constexpr const char* kCommonAppDataSuffix = "\\Orvane";

namespace debug {
inline constexpr const char* kMember = "orvsysq_debug";
inline constexpr const char* kDesc = "desc";
inline constexpr const char* kOpenKeyFailed = "RegOpenKeyEx failed";
inline constexpr const char* kQueryValueFailed = "RegQueryValue failed";
inline constexpr const char* kShellFolderFailed = "SHGetFolderPathW failed";

// Written by the path expansion on behalf of the translator framework.
inline constexpr const char* kXlatorMember = "orvxlator_debug";
inline constexpr const char* kXlatorDll = "orvxlatordll";
inline constexpr const char* kPathInvalid = "plugin dll path invalid";
inline constexpr const char* kDllPath = "dllPath";
inline constexpr const char* kTooManyExpansions = "path variables nest too deeply";
}  // namespace debug

}  // namespace orvsysq
