#pragma once
// Fault injection at the n-th of a family of system calls (writes, truncations, syncs, renames,
// deletions): the call fails once, fails from then on, or the process dies just before or just
// after it. The replacement calls of a test ask `strike()` before and `survived()` after the real
// call. Kills run in a child process, so that the parent can look at what the dead one left.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
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
// The killed child goes on from the parent's state at the chosen call, which needs fork.
inline constexpr const char* kNoKillsReason =
    "kills at the n-th call run the operation in a forked copy of the test; Windows has no fork";
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

// Before the real call: true when it must fail instead (errno, or the thread's last error on
// Windows, is set).
inline bool strike() {
    Plan& p = plan();
    if (!p.armed) return false;
    const int call = ++p.calls;
    if (call == p.target && p.fault == Fault::KillBefore) std::_Exit(137);
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
    if (p.armed && p.calls == p.target && p.fault == Fault::KillAfter) std::_Exit(137);
}

// Whether the armed call was reached.
inline bool reached() { return plan().calls >= plan().target; }

#ifndef _WIN32
// Runs operation in a child process; true when the child died at the armed call, false when it
// finished without reaching it.
inline bool runKilled(const std::function<void()>& operation) {
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
