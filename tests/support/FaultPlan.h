#pragma once
// Fault injection at the n-th of a family of system calls (writes, truncations, syncs, renames,
// deletions): the call fails once, fails from then on, or the process dies just before or just
// after it. The replacement calls of a test ask `strike()` before and `survived()` after the real
// call. Kills run in a child process, so that the parent can look at what the dead one left: a
// fork on Linux; on Windows the test program itself, started again for the one test, which ends
// itself at the call named in its environment.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "common/platform/WideText.h"
#include "support/Portable.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <string>

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

// A full disk, in the numbering of the system calls that are struck.
#ifdef _WIN32
inline constexpr int kDiskFull = ERROR_DISK_FULL;
// Set in a re-started test program: the call at which it ends itself, and the file or folder the
// parent's test works in.
inline constexpr const char* kTargetVariable = "ORV_FAULT_KILL_AT";
inline constexpr const char* kPlaceVariable = "ORV_FAULT_PLACE";
inline constexpr const char* kRoundVariable = "ORV_FAULT_ROUND";
#else
inline constexpr int kDiskFull = ENOSPC;
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
