#pragma once
// One run of the explorer against a plug-in: version check, factory, initialise, sink,
// devices and bags, edits, refresh, shut down, release.
#include "ExitCodes.h"
#include "HostOptions.h"

namespace sysvistahost {

// The host's outcomes on the exit codes all the tools share.
enum ExitCode {
    kExitSuccess = orvtool::kOk,
    kExitUsage = orvtool::kUsage,
    kExitPluginNotLoadable = orvtool::kEnvironment,
    kExitNoTemporaryFile = orvtool::kEnvironment,
    kExitVersionMismatch = orvtool::kRefused,
    kExitExpertFailure = orvtool::kRefused,
    kExitEditRefused = orvtool::kRefused,
    kExitNotificationsMissing = orvtool::kRefused,
};

int runExplorer(const HostOptions& options);
// The host's version and the plug-in's (loaded from options.pluginPath); the exit code.
int printVersions(const HostOptions& options);

}  // namespace sysvistahost
