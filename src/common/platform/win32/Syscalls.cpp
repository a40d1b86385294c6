#include "common/platform/Syscalls.h"

#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/FileLockSyscalls.h"
#include "common/platform/win32/FileSyscalls.h"
#include "common/platform/win32/KnownFoldersSyscalls.h"
#include "common/platform/win32/NamedMutexSyscalls.h"
#include "common/platform/win32/RegistrySyscalls.h"

namespace platform {

void restoreRealSyscalls() {
    win32::dynamicLibrarySyscalls() = win32::realDynamicLibrarySyscalls();
    win32::fileLockSyscalls() = win32::realFileLockSyscalls();
    win32::fileSyscalls() = win32::realFileSyscalls();
    win32::knownFoldersSyscalls() = win32::realKnownFoldersSyscalls();
    win32::namedMutexSyscalls() = win32::realNamedMutexSyscalls();
    win32::registrySyscalls() = win32::realRegistrySyscalls();
}

}  // namespace platform
