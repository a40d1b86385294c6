#pragma once
// Fault injection at the n-th of a family of system calls (writes, truncations, syncs, renames,
// deletions): the call fails once, fails from then on, or the process dies just before or just
// after it. The replacement calls, made by `strikeable`, ask `strike()` before and `survived()`
// after the real call. Kills run in a child process, so that the parent can look at what the dead
// one left: a fork on Linux; on Windows the test program itself, started again for the one test,
// which ends itself at the call named in its environment.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "common/platform/WideText.h"
#include "common/platform/win32/FileLockSyscalls.h"
#include "common/platform/win32/FileSyscalls.h"
#include "support/Portable.h"
#else
#include <sys/wait.h>
#include <unistd.h>

#include "common/platform/posix/FileLockSyscalls.h"
#include "common/platform/posix/FileSyscalls.h"
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>

namespace faultplan {

enum class Fault { FailOnce, FailFromThen, KillBefore, KillAfter };

inline const char* name(Fault fault) {
    switch (fault) {
        case Fault::FailOnce: return "fail once";
        case Fault::FailFromThen: return "fail from then on";
        case Fault::KillBefore: return "killed before";
        case Fault::KillAfter: return "killed after";
    }
    return "";
}

inline bool kills(Fault fault) { return fault == Fault::KillBefore || fault == Fault::KillAfter; }

// The backend whose system-call tables are struck, and failures in the numbering of its calls.
#ifdef _WIN32
namespace native = platform::win32;
inline constexpr int kDiskFull = ERROR_DISK_FULL;
inline constexpr int kAccessDenied = ERROR_ACCESS_DENIED;
inline constexpr int kReadOnly = ERROR_WRITE_PROTECT;
// Windows has no sync of a folder's entries.
inline constexpr bool kSyncsFolders = false;
// Set in a re-started test program: the call at which it ends itself, and the file or folder the
// parent's test works in.
inline constexpr const char* kTargetVariable = "ORV_FAULT_KILL_AT";
inline constexpr const char* kPlaceVariable = "ORV_FAULT_PLACE";
inline constexpr const char* kRoundVariable = "ORV_FAULT_ROUND";
#else
namespace native = platform::posix;
inline constexpr int kDiskFull = ENOSPC;
inline constexpr int kAccessDenied = EACCES;
inline constexpr int kReadOnly = EROFS;
inline constexpr bool kSyncsFolders = true;
#endif

struct Plan {
    bool armed = false;
    Fault fault = Fault::FailOnce;
    int target = 0;  // 1-based number of the call that is struck
    int calls = 0;
    int error = kDiskFull;
};

inline Plan& plan() {
    static Plan instance;
    return instance;
}

inline void arm(Fault fault, int target, int error = kDiskFull) {
    plan() = Plan{true, fault, target, 0, error};
}

inline void disarm() { plan().armed = false; }

// Ends the process at once, as a kill would: no handlers, no flushing.
[[noreturn]] inline void die() {
#ifdef _WIN32
    ::TerminateProcess(::GetCurrentProcess(), 137);
#endif
    std::_Exit(137);
}

// In a re-started child: the place the parent's test works in; "" elsewhere (and on Linux).
inline std::string childPlace() {
#ifdef _WIN32
    const char* place = std::getenv(kPlaceVariable);
    if (place != nullptr && std::getenv(kTargetVariable) != nullptr) return place;
#endif
    return std::string();
}

// Before the real call: true when it must fail instead (errno, or the thread's last error on
// Windows, is set).
inline bool strike() {
    Plan& p = plan();
    if (!p.armed) return false;
    const int call = ++p.calls;
    if (call == p.target && p.fault == Fault::KillBefore) die();
    const bool failing = (p.fault == Fault::FailOnce && call == p.target) ||
                         (p.fault == Fault::FailFromThen && call >= p.target);
#ifdef _WIN32
    if (failing) ::SetLastError(static_cast<DWORD>(p.error));
#else
    if (failing) errno = p.error;
#endif
    return failing;
}

// After the real call.
inline void survived() {
    const Plan& p = plan();
    if (p.armed && p.calls == p.target && p.fault == Fault::KillAfter) die();
}

// The real calls of a table, which the struck ones go through.
template <class Table>
Table realCalls();
template <>
inline native::FileSyscalls realCalls<native::FileSyscalls>() { return native::realFileSyscalls(); }
template <>
inline native::FileLockSyscalls realCalls<native::FileLockSyscalls>() { return native::realFileLockSyscalls(); }

// What a struck call returns, as its signature tells failure: a null pointer (an invalid handle for
// a Windows HANDLE), a count of nothing, -1 (EOF from the C run time's stream calls) and FALSE from
// the other Windows calls.
template <class Result, class... Args>
Result failureOf() {
#ifdef _WIN32
    if constexpr (std::is_same_v<Result, HANDLE>) return INVALID_HANDLE_VALUE;
    else if constexpr (std::is_pointer_v<Result>) return nullptr;
    else if constexpr (std::is_unsigned_v<Result>) return 0;
    else if constexpr ((std::is_same_v<Args, std::FILE*> || ...)) return EOF;
    else return FALSE;
#else
    if constexpr (std::is_pointer_v<Result>) return nullptr;
    else if constexpr (std::is_unsigned_v<Result>) return 0;
    else return -1;
#endif
}

template <auto member, class = decltype(member)>
struct Strikeable;
template <auto member, class Table, class Result, class... Args>
struct Strikeable<member, Result (*Table::*)(Args...)> {
    static Result call(Args... args) {
        if (strike()) return failureOf<Result, Args...>();
        const Result result = (realCalls<Table>().*member)(args...);
        survived();
        return result;
    }
};

// The replacement for a table's entry: strikeable<&FileSyscalls::write>() fails or kills at the
// armed call and makes the real call otherwise.
template <auto member>
constexpr auto strikeable() {
    return &Strikeable<member>::call;
}

// Every call by which replacing a file changes the disk: the writes, the syncs and the rename.
inline void strikeReplacementChanges() {
    using Calls = native::FileSyscalls;
    Calls& calls = native::fileSyscalls();
#ifdef _WIN32
    calls.writeFile = strikeable<&Calls::writeFile>();
    calls.flushFileBuffers = strikeable<&Calls::flushFileBuffers>();
    calls.moveFileEx = strikeable<&Calls::moveFileEx>();
#else
    calls.write = strikeable<&Calls::write>();
    calls.fsync = strikeable<&Calls::fsync>();
    calls.rename = strikeable<&Calls::rename>();
#endif
}

// Every call by which a commit to a locked file changes the disk: the writes, the truncation, the
// syncs and the journal's deletion.
inline void strikeLockedFileChanges() {
    using Calls = native::FileLockSyscalls;
    Calls& calls = native::fileLockSyscalls();
#ifdef _WIN32
    calls.writeFile = strikeable<&Calls::writeFile>();
    calls.setEndOfFile = strikeable<&Calls::setEndOfFile>();
    calls.flushFileBuffers = strikeable<&Calls::flushFileBuffers>();
    calls.deleteFile = strikeable<&Calls::deleteFile>();
#else
    calls.write = strikeable<&Calls::write>();
    calls.ftruncate = strikeable<&Calls::ftruncate>();
    calls.fsync = strikeable<&Calls::fsync>();
    calls.unlink = strikeable<&Calls::unlink>();
#endif
}

// Whether the armed call was reached.
inline bool reached() { return plan().calls >= plan().target; }

// Runs operation in a child process; true when the child died at the armed call, false when it
// finished without reaching it. place is the file or folder the operation works in; round tells
// apart the operations one test strikes in turn (a re-started child passes over the other rounds).
#ifdef _WIN32
inline bool runKilled(const std::string& place, const std::string& round, const std::function<void()>& operation) {
    if (const char* target = std::getenv(kTargetVariable)) {  // the child: strike at its own call
        const char* childRound = std::getenv(kRoundVariable);
        if (round != (childRound ? childRound : "")) return false;
        plan().target = std::atoi(target);
        plan().calls = 0;
        try {
            operation();
        } catch (...) {
            std::_Exit(2);
        }
        std::_Exit(0);
    }
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_TRUE(length > 0 && length < MAX_PATH);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    testsupport::setEnvironment(kTargetVariable, std::to_string(plan().target));
    testsupport::setEnvironment(kPlaceVariable, place);
    testsupport::setEnvironment(kRoundVariable, round);
    testsupport::ChildProcess child(
        platform::wideToUtf8(std::wstring(self, length)),
        {std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name(), "--gtest_brief=1"});
    EXPECT_TRUE(child.started());
    const int code = child.wait();
    testsupport::unsetEnvironment(kTargetVariable);
    testsupport::unsetEnvironment(kPlaceVariable);
    testsupport::unsetEnvironment(kRoundVariable);
    EXPECT_TRUE(code == 0 || code == 137) << "the operation failed without a fault: " << code;
    return code == 137;
}
#else
inline bool runKilled(const std::string&, const std::string&, const std::function<void()>& operation) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            operation();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    EXPECT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status));
    const int code = WEXITSTATUS(status);
    EXPECT_TRUE(code == 0 || code == 137) << "the operation failed without a fault: " << code;
    return code == 137;
}
#endif

}  // namespace faultplan
