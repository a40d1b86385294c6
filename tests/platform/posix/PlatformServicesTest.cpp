// What only the POSIX backend does: library names mapped to shared objects, the usual folders, the
// named mutex's lock files, and the seam that finds their folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/KnownFolders.h"
#include "common/platform/NamedMutex.h"
#include "common/platform/ProcessId.h"
#include "common/platform/Syscalls.h"
#include "common/platform/posix/DirectorySyscalls.h"
#include "common/platform/posix/FileSyscalls.h"
#include "common/platform/posix/NamedMutexSyscalls.h"
#include "support/FakeEnvironment.h"

namespace {

TEST(LibraryNames, WindowsNamesMapToSharedObjects) {
    EXPECT_EQ(platform::nativeLibraryName("ivi.dll"), "libivi.so");
    EXPECT_EQ(platform::nativeLibraryName("Digiscan2u.DLL"), "libDigiscan2u.so");
    EXPECT_EQ(platform::nativeLibraryName("C:\\Orvane\\bin\\orvxlator.dll"), "C:/Orvane/bin/liborvxlator.so");
    EXPECT_EQ(platform::nativeLibraryName("/opt/x/svs.dll"), "/opt/x/libsvs.so");
    EXPECT_EQ(platform::nativeLibraryName("libm.so.6"), "libm.so.6");
}

// Without the test variables the folders are the usual system ones (Windows asks the shell).
TEST(KnownFolders, DefaultToTheSystemsFolders) {
    testing_support::FakeEnvironment environment;
    auto folders = platform::makeKnownFolders(environment);
    std::string path;
    platform::OsError error;
    EXPECT_TRUE(folders->shellFolder(platform::folder::kCommonAppData, path, error));
    EXPECT_EQ(path, "/var/lib");
    EXPECT_TRUE(folders->shellFolder(platform::folder::kSystem, path, error));
    EXPECT_EQ(path, "/usr/lib");
    EXPECT_EQ(folders->temporaryFolder(), "/tmp/");
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
