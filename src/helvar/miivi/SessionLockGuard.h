#pragma once
// Unlocks a session that the caller has locked, whatever happens; an unlock failure is dropped
// so that it cannot replace the result of the work done under the lock.
#include "helvar/miivi/IviWrapperInterface.h"

namespace miivi {

class SessionLockGuard {
public:
    explicit SessionLockGuard(IviWrapperInterface& wrapper) : wrapper_(wrapper) {}
    ~SessionLockGuard() {
        try {
            wrapper_.Ivi_UnlockSession(nullptr);
        } catch (...) {
        }
    }
    SessionLockGuard(const SessionLockGuard&) = delete;
    SessionLockGuard& operator=(const SessionLockGuard&) = delete;

private:
    IviWrapperInterface& wrapper_;
};

}  // namespace miivi
