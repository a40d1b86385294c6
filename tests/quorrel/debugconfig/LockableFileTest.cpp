// The lockable file over the real POSIX backend, with failures injected through its system-call table.
#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

#include "common/orverr/Codes.h"
#include "common/platform/posix/FileLockSyscalls.h"
#include "DebugConfigTestSupport.h"
#include "quorrel/debugconfig/LockableFile.h"
#include "support/Portable.h"

using namespace nORVMISysAPICommon100;
using namespace debugconfigtest;
namespace codes = orverr::codes;
using platform::posix::fileLockSyscalls;

namespace {

// Counters and failure switches read by the replacement system calls.
struct Injection {
    int opens = 0;
    int creates = 0;
    int sleeps = 0;
    int failReadAfter = -1;  // reads that succeed before one fails
    bool failWrite = false;
    bool failFsync = false;
    bool failLock = false;
    bool denyWrite = false;  // opens for writing are refused, as for another user's file
    bool denyRead = false;   // and opens for reading too
};
Injection injection;

class LockableFileTest : public ::testing::Test {
protected:
    LockableFileTest() {
        injection = Injection{};
        auto& calls = fileLockSyscalls();
        calls.open = [](const char* path, int flags, mode_t mode) {
            ((flags & O_CREAT) ? injection.creates : injection.opens)++;
            if ((injection.denyWrite && (flags & O_ACCMODE) != O_RDONLY) || injection.denyRead) {
                errno = EACCES;
                return -1;
            }
            return platform::posix::realFileLockSyscalls().open(path, flags, mode);
        };
        calls.nanosleep = [](const struct timespec*, struct timespec*) {
            ++injection.sleeps;
            return 0;
        };
        calls.read = [](int fd, void* buffer, size_t size) -> ssize_t {
            if (injection.failReadAfter == 0) {
                errno = EIO;
                return -1;
            }
            if (injection.failReadAfter > 0) --injection.failReadAfter;
            return platform::posix::realFileLockSyscalls().read(fd, buffer, size);
        };
        calls.write = [](int fd, const void* data, size_t size) -> ssize_t {
            if (injection.failWrite) {
                errno = ENOSPC;
                return -1;
            }
            // One byte at a time, so the loop over short writes is exercised.
            return platform::posix::realFileLockSyscalls().write(fd, data, size > 0 ? 1 : 0);
        };
        calls.fsync = [](int fd) {
            if (injection.failFsync) {
                errno = EIO;
                return -1;
            }
            return platform::posix::realFileLockSyscalls().fsync(fd);
        };
        calls.lock = [](int fd, int command, struct flock* range) {
            if (injection.failLock && range->l_type == F_WRLCK) {
                errno = ENOLCK;
                return -1;
            }
            return platform::posix::realFileLockSyscalls().lock(fd, command, range);
        };
    }
    ~LockableFileTest() override { fileLockSyscalls() = platform::posix::realFileLockSyscalls(); }

    std::string path() const { return scratch_.configFile(); }

    ScratchFolder scratch_;
};

}  // namespace

TEST_F(LockableFileTest, ExistingFileOpensAtTheFirstTry) {
    writeFile(path(), "x");
    LockableFile file;
    file.open(path(), true);
    EXPECT_EQ(1, injection.opens);
    EXPECT_EQ(0, injection.creates);
    EXPECT_EQ(0, injection.sleeps);
}

TEST_F(LockableFileTest, MissingFileIsCreatedEmpty) {
    LockableFile file;
    file.open(scratch_.configFolder() + "\\Quorrel.config", true);  // the Windows separator is accepted
    file.lock();
    EXPECT_EQ("", file.read());
    file.unlock();
    EXPECT_EQ(1, injection.creates);
    EXPECT_TRUE(std::filesystem::exists(path()));
}

TEST_F(LockableFileTest, FileThatCannotBeCreatedFailsAfterSixAttempts) {
    const std::string missing = scratch_.root() + "/absent/Quorrel.config";
    LockableFile file;
    Raised raised = raisedBy([&] { file.open(missing, true); });
    EXPECT_EQ(codes::kPlatformResourceNotFound.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"nORVAPALS100::tStatus::kResourceNotFound\""));
    EXPECT_NE(std::string::npos, raised.document.find("\"Failed to open file\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("usage":"kUsageTypeFilePath","value":")" + missing + "\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("internal_error":{"api":"errno","code":2,)"));
    EXPECT_EQ(1 + 6, injection.opens);
    EXPECT_EQ(6, injection.creates);
    EXPECT_EQ(6, injection.sleeps);
}

TEST_F(LockableFileTest, WithoutCreateAMissingFileIsNotCreated) {
    LockableFile file;
    EXPECT_EQ(codes::kPlatformResourceNotFound.code, raisedBy([&] { file.open(path(), false); }).code);
    EXPECT_EQ(0, injection.creates);
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(LockableFileTest, ReadsWholeFileAcrossChunkBoundaries) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{127}, size_t{128}, size_t{256}, size_t{1000}}) {
        std::string text(size, 'a');
        for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
        writeFile(path(), text);
        LockableFile file;
        file.open(path(), false);
        EXPECT_EQ(text, file.read()) << size;
        EXPECT_EQ(text, file.read()) << "a second read starts at the beginning again";
    }
}

TEST_F(LockableFileTest, ShorterWriteLeavesNoStaleBytes) {
    writeFile(path(), std::string(500, 'x'));
    LockableFile file;
    file.open(path(), true);
    file.lock();
    file.write("{\"short\": 1}");
    EXPECT_EQ("{\"short\": 1}", file.read());
    file.unlock();
    file.close();
    EXPECT_EQ("{\"short\": 1}", readFile(path()));
}

TEST_F(LockableFileTest, StreamFailuresRaiseEndOfData) {
    writeFile(path(), std::string(300, 'x'));
    LockableFile file;
    file.open(path(), false);

    injection.failReadAfter = 1;  // the second chunk fails
    Raised raised = raisedBy([&] { file.read(); });
    EXPECT_EQ(codes::kPlatformEndOfData.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"Failed to read file\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("internal_error":{"api":"errno","code":5,)"));
    injection.failReadAfter = -1;

    injection.failWrite = true;
    raised = raisedBy([&] { file.write("y"); });
    EXPECT_EQ(codes::kPlatformEndOfData.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"Failed to write file\""));
    injection.failWrite = false;

    // The journal is made durable first, so its sync is the one that fails.
    injection.failFsync = true;
    raised = raisedBy([&] { file.write("y"); });
    EXPECT_EQ(codes::kPlatformEndOfData.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"Failed to write file\""));
    EXPECT_NE(std::string::npos, raised.document.find(path() + "-journal\""));
    EXPECT_EQ(std::string(300, 'x'), readFile(path())) << "a failed write changes nothing";
    EXPECT_FALSE(std::filesystem::exists(path() + "-journal"));
}

TEST_F(LockableFileTest, LockFailureRaisesOSFaultAndLeavesTheCriticalSection) {
    writeFile(path(), "");
    LockableFile file;
    file.open(path(), false);
    injection.failLock = true;
    Raised raised = raisedBy([&] { file.lock(); });
    EXPECT_EQ(codes::kPlatformOSFault.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"nORVAPALS100::tStatus::kOSFault\""));
    EXPECT_FALSE(file.isLocked());
    injection.failLock = false;

    // Another thread can take it, which it could not if the critical section were still held.
    std::thread other([&] {
        file.lock();
        file.unlock();
    });
    other.join();
}

// The lock excludes this thread's second open too, so one thread can play both processes.
TEST_F(LockableFileTest, ALockHeldElsewhereFailsWithinTheBoundAndSaysSo) {
    writeFile(path(), "x");
    LockableFile holder;
    holder.open(path(), false);
    holder.lock();
    LockableFile waiter(platform::lockedFileSystem(), 30);
    waiter.open(path(), false);
    Raised raised = raisedBy([&] { waiter.lock(); });
    EXPECT_EQ(codes::kPlatformOperationTimedOut.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"Another process holds the lock on the file\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("usage":"kUsageTypeFilePath","value":")" + path() + "\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("usage":"requested_timeout_ms","value":30)"));
    EXPECT_GT(injection.sleeps, 1) << "the lock is tried again until the bound";
    EXPECT_FALSE(waiter.isLocked());
    holder.unlock();
    waiter.lock();
    EXPECT_TRUE(waiter.isLocked());
    waiter.unlock();
}

// The monitor thread's waits end when the expert stops it, however long the bound.
TEST_F(LockableFileTest, AThreadsWaitsEndWhenItIsStopped) {
    writeFile(path(), "x");
    LockableFile holder;
    holder.open(path(), false);
    holder.lock();
    std::atomic<bool> stop{false};
    std::thread stopped([&] {
        LockableFile::endWaitsOfThisThreadWhen(&stop);
        LockableFile waiter(platform::lockedFileSystem(), 600000);
        waiter.open(path(), false);
        stop = true;
        EXPECT_EQ(codes::kPlatformOperationTimedOut.code, raisedBy([&] { waiter.lock(); }).code);
        LockableFile::endWaitsOfThisThreadWhen(nullptr);
    });
    stopped.join();
    holder.unlock();
}

TEST_F(LockableFileTest, TheBoundComesFromTheEnvironment) {
    testsupport::setEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS", "250");
    EXPECT_EQ(250u, LockableFile::lockTimeoutMilliseconds());
    testsupport::setEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS", "soon");
    EXPECT_EQ(10000u, LockableFile::lockTimeoutMilliseconds());
    testsupport::unsetEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS");
    EXPECT_EQ(10000u, LockableFile::lockTimeoutMilliseconds());
}

// A file this process may only read: readers share the lock, a writer waits for them, writes are
// refused with the reason the open for writing got.
TEST_F(LockableFileTest, AFileThatMayOnlyBeReadIsReadUnderASharedLock) {
    writeFile(path(), "content");
    injection.denyWrite = true;
    LockableFile first;
    LockableFile second;
    first.open(path(), true);
    second.open(path(), true);
    EXPECT_TRUE(first.isReadOnly());
    first.lock();
    second.lock();  // shared with the first
    EXPECT_EQ("content", second.read());
    Raised raised = raisedBy([&] { second.write("other"); });
    EXPECT_EQ(codes::kPlatformEndOfData.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("it could only be opened for reading")) << raised.document;
    EXPECT_NE(std::string::npos, raised.document.find(R"("internal_error":{"api":"errno","code":13,)"));

    injection.denyWrite = false;
    LockableFile writer(platform::lockedFileSystem(), 20);
    writer.open(path(), false);
    EXPECT_FALSE(writer.isReadOnly());
    EXPECT_EQ(codes::kPlatformOperationTimedOut.code, raisedBy([&] { writer.lock(); }).code);
    first.unlock();
    second.unlock();
    writer.lock();
    writer.write("other");
    writer.unlock();
    EXPECT_EQ("other", readFile(path()));
}

// Another user's file that this process may not open at all: the error names the file and why.
TEST_F(LockableFileTest, AFileThatCannotBeOpenedIsNamedWithTheReason) {
    writeFile(path(), "content");
    injection.denyRead = true;
    LockableFile file;
    Raised raised = raisedBy([&] { file.open(path(), true); });
    EXPECT_EQ(codes::kPlatformResourceNotFound.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find(R"("usage":"kUsageTypeFilePath","value":")" + path() + "\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("internal_error":{"api":"errno","code":13,"string":"Permission denied")"))
        << raised.document;
}

TEST_F(LockableFileTest, UseOfAFileThatIsNotOpenRaises) {
    LockableFile file;
    EXPECT_EQ(codes::kPlatformResourceNotFound.code, raisedBy([&] { file.lock(); }).code);
    EXPECT_EQ(codes::kPlatformResourceNotFound.code, raisedBy([&] { file.read(); }).code);
}

// Each thread opens the file on its own, as separate operations of the expert do; the lock
// must exclude the other opens of this process, or increments are lost.
TEST(LockableFileThreadsTest, SeparateOpensInOneProcessExcludeEachOther) {
    fileLockSyscalls() = platform::posix::realFileLockSyscalls();
    ScratchFolder scratch;
    const std::string path = scratch.configFile();
    writeFile(path, "0");
    constexpr int kThreads = 4;
    constexpr int kIncrements = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kIncrements; ++i) {
                // Polling waiters are not served in turn: a loaded machine must not hit the bound.
                LockableFile file(platform::lockedFileSystem(), 600000);
                file.open(path, true);
                file.lock();
                const int value = std::stoi(file.read());
                std::this_thread::yield();
                file.write(std::to_string(value + 1));
                file.unlock();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(std::to_string(kThreads * kIncrements), readFile(path));
}

TEST(LockableFileThreadsTest, DestructorReleasesALockStillHeld) {
    ScratchFolder scratch;
    const std::string path = scratch.configFile();
    {
        LockableFile file;
        file.open(path, true);
        file.lock();
    }
    std::thread other([&] {
        LockableFile file;
        file.open(path, true);
        file.lock();
        file.write("done");
    });
    other.join();
    EXPECT_EQ("done", readFile(path));
}

// One object shared by two threads: a second lock by the holder nests, and only the outermost
// unlock lets the other thread in; an unlock by a thread that holds nothing neither waits nor
// releases the holder's lock.
TEST(LockableFileThreadsTest, NestedLockOfASharedObjectIsCountedAndOthersCannotUnlockIt) {
    ScratchFolder scratch;
    LockableFile file;
    file.open(scratch.configFile(), true);
    file.lock();
    file.lock();
    file.unlock();
    std::thread stranger([&] { file.unlock(); });
    stranger.join();
    EXPECT_TRUE(file.isLocked());
    file.write("held");
    file.unlock();
    EXPECT_FALSE(file.isLocked());

    std::thread other([&] {
        file.lock();
        file.write("other");
        file.unlock();
    });
    other.join();
    EXPECT_EQ("other", readFile(scratch.configFile()));
}
