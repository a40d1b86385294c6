#pragma once
// Fault injection at the n-th of a family of system calls (writes, truncations, syncs, renames,
// deletions): the call fails once, fails from then on, or the process dies just before or just
// after it. The replacement calls of a test ask `strike()` before and `survived()` after the real
// call. Kills run in a child process, so that the parent can look at what the dead one left.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

struct Plan {
    bool armed = false;
    Fault fault = Fault::FailOnce;
    int target = 0;  // 1-based number of the call that is struck
    int calls = 0;
    int error = ENOSPC;
};

inline Plan& plan() {
    static Plan instance;
    return instance;
}

inline void arm(Fault fault, int target, int error = ENOSPC) {
    plan() = Plan{true, fault, target, 0, error};
}

inline void disarm() { plan().armed = false; }

// Before the real call: true when it must fail instead (errno is set).
inline bool strike() {
    Plan& p = plan();
    if (!p.armed) return false;
    const int call = ++p.calls;
    if (call == p.target && p.fault == Fault::KillBefore) ::_exit(137);
    const bool failing = (p.fault == Fault::FailOnce && call == p.target) ||
                         (p.fault == Fault::FailFromThen && call >= p.target);
    if (failing) errno = p.error;
    return failing;
}

// After the real call.
inline void survived() {
    const Plan& p = plan();
    if (p.armed && p.calls == p.target && p.fault == Fault::KillAfter) ::_exit(137);
}

// Whether the armed call was reached.
inline bool reached() { return plan().calls >= plan().target; }

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

}  // namespace faultplan
