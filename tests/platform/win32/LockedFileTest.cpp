// The Windows locked file: LockFileEx locks are mandatory, so the holder's lock also stops the
// reads and writes of other opens (the Linux locks only stop other lockers).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/platform/LockedFile.h"
#include "common/platform/win32/FileLockSyscalls.h"
#include "support/Portable.h"

namespace {

constexpr platform::LockAttempt Locked = platform::LockAttempt::kLocked;
constexpr platform::LockKind Exclusive = platform::LockKind::kExclusive;
constexpr platform::LockKind Shared = platform::LockKind::kShared;

class LockedFileWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        platform::OsError error;
        ASSERT_TRUE(platform::lockedFileSystem().createNew(path(), error)) << error.message;
        first = platform::lockedFileSystem().openExisting(path(), error);
        second = platform::lockedFileSystem().openExisting(path(), error);
        ASSERT_TRUE(first && second) << error.message;
        ASSERT_TRUE(first->write("content", 7, error));
    }
    void TearDown() override {
        first.reset();
        second.reset();
        platform::win32::fileLockSyscalls() = platform::win32::realFileLockSyscalls();
    }
    std::string path() const { return scratch_.path() + "/Quorrel.config"; }

    testsupport::TemporaryFolder scratch_{"orv-locked-"};
    std::unique_ptr<platform::LockedFileInterface> first;
    std::unique_ptr<platform::LockedFileInterface> second;
};

TEST_F(LockedFileWin32, TheLockExcludesOtherOpensOfThisProcess) {
    platform::OsError error;
    ASSERT_EQ(Locked, first->tryLock(Exclusive, error)) << error.message;
    // The second locker is told at once rather than left waiting, shared or not.
    EXPECT_EQ(platform::LockAttempt::kHeldElsewhere, second->tryLock(Exclusive, error));
    EXPECT_EQ(platform::LockAttempt::kHeldElsewhere, second->tryLock(Shared, error));
    ASSERT_TRUE(first->unlock(error));
    // Shared locks admit each other, and keep an exclusive one out.
    ASSERT_EQ(Locked, first->tryLock(Shared, error)) << error.message;
    EXPECT_EQ(Locked, second->tryLock(Shared, error)) << error.message;
    ASSERT_TRUE(second->unlock(error));
    EXPECT_EQ(platform::LockAttempt::kHeldElsewhere, second->tryLock(Exclusive, error));
    ASSERT_TRUE(first->unlock(error));
    EXPECT_EQ(Locked, second->tryLock(Exclusive, error)) << error.message;
    EXPECT_TRUE(second->unlock(error));
}

TEST_F(LockedFileWin32, TheLockStopsReadsAndWritesOfOtherOpens) {
    if (testsupport::runningUnderWine()) GTEST_SKIP() << "wine keeps byte-range locks advisory; Windows enforces them";
    platform::OsError error;
    ASSERT_EQ(Locked, first->tryLock(Exclusive, error)) << error.message;
    char buffer[16];
    size_t count = 0;
    EXPECT_FALSE(second->read(buffer, sizeof buffer, count, error));
    EXPECT_EQ(error.code, ERROR_LOCK_VIOLATION);
    EXPECT_FALSE(second->write("x", 1, error));
    EXPECT_EQ(error.code, ERROR_LOCK_VIOLATION);
    // The holder itself reads and writes as usual.
    ASSERT_TRUE(first->rewind(error));
    ASSERT_TRUE(first->read(buffer, sizeof buffer, count, error)) << error.message;
    EXPECT_EQ(std::string(buffer, count), "content");

    ASSERT_TRUE(first->unlock(error));
    ASSERT_TRUE(second->read(buffer, sizeof buffer, count, error)) << error.message;
    EXPECT_EQ(std::string(buffer, count), "content");
}

TEST_F(LockedFileWin32, TruncateKeepsThePositionAndCreateNewRefusesAnExistingFile) {
    platform::OsError error;
    ASSERT_TRUE(first->truncate(3, error)) << error.message;
    ASSERT_TRUE(first->rewind(error));
    char buffer[16];
    size_t count = 0;
    ASSERT_TRUE(first->read(buffer, sizeof buffer, count, error));
    EXPECT_EQ(std::string(buffer, count), "con");
    ASSERT_TRUE(first->commit(error)) << error.message;

    EXPECT_FALSE(platform::lockedFileSystem().createNew(path(), error));
    EXPECT_EQ(error.code, ERROR_FILE_EXISTS);
    EXPECT_FALSE(error.message.empty());
}

TEST_F(LockedFileWin32, InjectedLockFailureIsReported) {
    auto& table = platform::win32::fileLockSyscalls();
    table.lockFileEx = [](HANDLE, DWORD, DWORD, DWORD, DWORD, LPOVERLAPPED) -> BOOL { return FALSE; };
    table.getLastError = []() -> DWORD { return ERROR_NOT_ENOUGH_MEMORY; };
    platform::OsError error;
    EXPECT_EQ(platform::LockAttempt::kFailed, first->tryLock(Exclusive, error));
    EXPECT_EQ(error.code, ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace
