#pragma once
// What the platform tests expect of the backend they run on: the system's own answers and the
// failures injected through its system-call tables. One implementation per backend, chosen by
// the build, so that the tests themselves are the same source on every system.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platformtest {

// The longest thread name the system keeps (0: no limit a test reaches).
extern const std::size_t kThreadNameLimit;

// The process id as the system itself tells it.
uint32_t systemProcessId();

// Makes the system refuse to create a named mutex, until the tables are put back; the refusal's
// error code.
void refuseNamedMutexes();
extern const int32_t kRefusedMutexError;

// Makes a named pipe at path; false where the system has none in its folders.
bool makeNamedPipe(const std::string& path);

// Whether a folder's change notification names the entry that changed.
extern const bool kChangesNameTheEntry;

// One system call made to fail with kInjectedError, until the tables are put back.
struct InjectedFailure {
    const char* call;
    void (*inject)();
    bool duringStart;  // the call is made when a watch starts, not while it waits
};
extern const int32_t kInjectedError;
// Every system call of the folder monitor.
std::vector<InjectedFailure> monitorFailures();

}  // namespace platformtest
