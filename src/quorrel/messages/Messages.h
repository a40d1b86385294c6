#pragma once
// Every text the plug-in writes to traces and logs.
namespace quorrel::messages {

// Version check (printf formats).
inline constexpr const char* kVersionCheckFailedComponent =
    "version check failed with status = %d. Component '%s' desires the range %s - %s however the installed range "
    "is %s - %s";
inline constexpr const char* kVersionCheckFailedAnonymous =
    "version check failed with status = %d. The calling component desires the range %s - %s however the "
    "installed range is %s - %s";
inline constexpr const char* kVersionCheckText = "CHECK(palStatusIsNonfatal(status))";
inline constexpr const char* kVersionCheckKind = "warning";
inline constexpr char kTraceTypeInfo = 'i';

// COM support (printf format): the first request of an interface an object does not have.
inline constexpr const char* kUnknownInterface = "QueryInterface: interface %s is not supported";

// Package hooks.
inline constexpr const char* kPackageLogSource = "sspkg32u";
inline constexpr const char* kProcessAttachFailed = "DllMain(DLL_PROCESS_ATTACH) of %s failed with status %d\n";
inline constexpr const char* kThreadAttachFailed = "DllMain(DLL_THREAD_ATTACH) of %s failed with status %d\n";
inline constexpr const char* kUnknownModule = "Unknown";

// Package identity.
inline constexpr const char* kModuleFileName = "Quorrel.dll";
inline constexpr const char* kBuildDescription = "Quorrel 18.1.0f0";
inline constexpr const char* kPackageName = "ssMain";

// Debug configuration folder monitor.
inline constexpr const char* kMonitorThreadName = "Quorrel";
inline constexpr const char* kMonitorStartFailed = "Failed to watch the debug configuration folder";
inline constexpr const char* kMonitorWaitFailed = "Failed to wait for changes of the debug configuration folder";
inline constexpr const char* kMonitorThreadFailed = "Failed to start the debug configuration monitor thread";
inline constexpr const char* kMonitorTraceEnded = "debug configuration monitor ended: %s";
inline constexpr const char* kMonitorTraceCheckFailed = "debug configuration change check failed: %s";
inline constexpr const char* kMonitorTraceFolderGone =
    "debug configuration folder %s is gone: watching for it to be there again";
inline constexpr const char* kMonitorTraceWatchingAgain = "debug configuration folder %s is watched again";
inline constexpr const char* kUsageTypeRequestedTimeout = "requested_timeout_ms";

// Debug configuration file (printf format).
inline constexpr const char* kSettingsFaultTrace = "debug settings: %s";
// Binding of the explorer's libraries: why there is none, naming the key, the view and the path.
inline constexpr const char* kBindingFailed = "The explorer's libraries are not available: ";
inline constexpr const char* kRegistryRoot = "HKEY_LOCAL_MACHINE\\";
inline constexpr const char* kRegistryViewDefault = "default view";
inline constexpr const char* kRegistryView32 = "32-bit view";
inline constexpr const char* kBindingKeyNotOpened = "the registry key %KEY% cannot be opened in the %VIEW%";
inline constexpr const char* kBindingNoFolder =
    "the registry key %KEY% names no library folder (SelfRegisteredSvsPath in the default view, "
    "SelfRegisteredPath in the default or the 32-bit view)";
inline constexpr const char* kBindingLoadFailed = "%PATH% cannot be loaded (folder from %VALUE% of %KEY%, %VIEW%)";
inline constexpr const char* kBindingEntryMissing = "%PATH% has no entry point svsGetConfiguration";

}  // namespace quorrel::messages
