#pragma once
// One run of the explorer against a plug-in: version check, factory, initialise, sink,
// devices and bags, edits, refresh, shut down, release.
#include "HostOptions.h"

namespace sysvistahost {

enum ExitCode {
    kExitSuccess = 0,
    kExitUsage = 1,
    kExitPluginNotLoadable = 2,
    kExitVersionMismatch = 3,
    kExitExpertFailure = 4,
    kExitEditRefused = 5,
    kExitNotificationsMissing = 6
};

int runExplorer(const HostOptions& options);

}  // namespace sysvistahost
