// The platform services this library's spine uses: library names and loading, the named mutex,
// thread names and the process id.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/NamedMutex.h"
#include "common/platform/ProcessId.h"
#include "common/platform/ThreadName.h"
#include "common/platform/Syscalls.h"
#include "common/platform/posix/DirectorySyscalls.h"
#include "common/platform/posix/FileSyscalls.h"
#include "common/platform/posix/NamedMutexSyscalls.h"

namespace {

TEST(LibraryNames, WindowsNamesMapToSharedObjects) {
    EXPECT_EQ(platform::nativeLibraryName("ivi.dll"), "libivi.so");
    EXPECT_EQ(platform::nativeLibraryName("Digiscan2u.DLL"), "libDigiscan2u.so");
    EXPECT_EQ(platform::nativeLibraryName("C:\\Orvane\\bin\\orvxlator.dll"), "C:/Orvane/bin/liborvxlator.so");
    EXPECT_EQ(platform::nativeLibraryName("/opt/x/svs.dll"), "/opt/x/libsvs.so");
    EXPECT_EQ(platform::nativeLibraryName("libm.so.6"), "libm.so.6");
}

TEST(DynamicLibrary, LoadsFindsAndReportsFailures) {
    platform::DynamicLibraryInterface& libraries = platform::dynamicLibrary();
    platform::OsError error;
    EXPECT_EQ(libraries.load("NoSuchLibraryAnywhere.dll", error), nullptr);
    EXPECT_NE(error.message.find("libNoSuchLibraryAnywhere.so"), std::string::npos) << error.message;

    platform::LibraryHandle libm = libraries.load("libm.so.6", error);
    ASSERT_NE(libm, nullptr) << error.message;
    EXPECT_NE(libraries.symbol(libm, "cos", error), nullptr);
    platform::OsError missing;
    EXPECT_EQ(libraries.symbol(libm, "no_such_symbol_here", missing), nullptr);
    EXPECT_NE(missing.message.find("no_such_symbol_here"), std::string::npos) << missing.message;
    platform::LibraryHandle again = libraries.findLoaded("libm.so.6");
    EXPECT_NE(again, nullptr);
    libraries.unload(again);
    libraries.unload(libm);
    EXPECT_EQ(libraries.findLoaded("NoSuchLibraryAnywhere.dll"), nullptr);
}

std::string lockFile(const std::string& name) { return platform::posix::namedMutexFolder() + "/orv-mutex-" + name; }

// The lock file exists only while the mutex is held; its holder removes it.
TEST(NamedMutex, LeavesNoFile) {
    platform::OsError error;
    const std::string name = "spine-file-" + std::to_string(platform::currentProcessId());
    auto mutex = platform::namedMutexFactory().open(name, error);
    ASSERT_NE(mutex, nullptr);
    ASSERT_TRUE(mutex->lock(error));
    mutex->unlock();
    mutex.reset();
    struct stat info;
    EXPECT_NE(::stat(lockFile(name).c_str(), &info), 0);
}

TEST(NamedMutex, RefusedCreationGivesNoMutex) {
    auto& table = platform::posix::namedMutexSyscalls();
    const auto saved = table;
    table.open = [](const char*, int, mode_t) { return errno = EACCES, -1; };
    platform::OsError error;
    EXPECT_EQ(platform::namedMutexFactory().open("spine-refused", error), nullptr);
    table = saved;
    EXPECT_EQ(error.code, EACCES);
}

TEST(ThreadName, IsSetAndCutToTheLimit) {
    std::thread([] {
        platform::setCurrentThreadName("Quorrel::Worker");
        EXPECT_EQ(platform::currentThreadName(), "Quorrel::Worker");
        platform::setCurrentThreadName("A much longer thread name");
        EXPECT_EQ(platform::currentThreadName(), "A much longer t");
    }).join();
}

TEST(ProcessId, IsThisProcess) { EXPECT_EQ(platform::currentProcessId(), static_cast<uint32_t>(::getpid())); }

}  // namespace

namespace {
char* noTemporaryFolder(const char*) { return nullptr; }
int noAccess(const char*, int) {
    errno = EACCES;
    return -1;
}
}  // namespace

// The named mutex finds its folder through the seam too: without /dev/shm it falls back to the
// temporary folder, and the restore puts every table back at once.
TEST(SyscallSeam, NamedMutexFolderGoesThroughTheTableAndRestoreAllPutsTablesBack) {
    platform::posix::namedMutexSyscalls().access = &noAccess;
    platform::posix::namedMutexSyscalls().getenv = &noTemporaryFolder;
    platform::posix::fileSyscalls().rename = nullptr;
    platform::posix::directorySyscalls().readdir = nullptr;
    EXPECT_EQ(platform::posix::namedMutexFolder(), "/tmp");

    platform::restoreRealSyscalls();
    const auto real = platform::posix::realNamedMutexSyscalls();
    EXPECT_EQ(platform::posix::namedMutexSyscalls().access, real.access);
    EXPECT_EQ(platform::posix::namedMutexSyscalls().getenv, real.getenv);
    EXPECT_EQ(platform::posix::fileSyscalls().rename, platform::posix::realFileSyscalls().rename);
    EXPECT_EQ(platform::posix::directorySyscalls().readdir, platform::posix::realDirectorySyscalls().readdir);
}
