#pragma once
// The session lock: recursive per thread, like a recursive mutex, and closable so that waiters
// leave when the session goes away.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "IviTypes.h"

namespace simivi {

class SessionLock {
public:
    ViStatus lock();
    ViStatus unlock();
    ViInt32 depth() const;
    void close();

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::thread::id owner_;
    ViInt32 depth_ = 0;
    bool closed_ = false;
};

}  // namespace simivi
