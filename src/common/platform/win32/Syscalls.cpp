#include "common/platform/Syscalls.h"

#include "common/platform/win32/DirectoryMonitorSyscalls.h"
#include "common/platform/win32/DirectorySyscalls.h"
#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/FileLockSyscalls.h"
#include "common/platform/win32/FileSyscalls.h"
#include "common/platform/win32/KnownFoldersSyscalls.h"
#include "common/platform/win32/NamedMutexSyscalls.h"
#include "common/platform/win32/RegistrySyscalls.h"
#include "common/platform/win32/RuntimeModulesSyscalls.h"

namespace platform {

void restoreRealSyscalls() {
    win32::directoryMonitorSyscalls() = win32::realDirectoryMonitorSyscalls();
    win32::directorySyscalls() = win32::realDirectorySyscalls();
    win32::dynamicLibrarySyscalls() = win32::realDynamicLibrarySyscalls();
    win32::fileLockSyscalls() = win32::realFileLockSyscalls();
    win32::fileSyscalls() = win32::realFileSyscalls();
    win32::knownFoldersSyscalls() = win32::realKnownFoldersSyscalls();
    win32::namedMutexSyscalls() = win32::realNamedMutexSyscalls();
    win32::registrySyscalls() = win32::realRegistrySyscalls();
    win32::runtimeModulesSyscalls() = win32::realRuntimeModulesSyscalls();
}

}  // namespace platform
