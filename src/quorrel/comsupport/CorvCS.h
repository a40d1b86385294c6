#pragma once
// Kitbase::CorvCS: the recursive critical section the plug-in's shared objects lock with. It
// knows its owner, so that a release by a thread that does not hold it is refused instead of
// corrupting the lock (a host may call a bag's unlock from any thread).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace Kitbase {

class CorvCS {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    CorvCS() = default;
    CorvCS(const CorvCS&) = delete;
    CorvCS& operator=(const CorvCS&) = delete;

    // Acquires (again, for the owner); false when the time-out in milliseconds passed first.
    bool lock(uint32_t timeoutMs = kInfinite);
    // Releases one hold; false when the calling thread does not hold the lock.
    bool unlock();
    bool heldByCurrentThread() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::thread::id owner_{};
    uint32_t depth_ = 0;
};

// Holds a CorvCS for one scope.
class CorvCSLock {
public:
    explicit CorvCSLock(CorvCS& cs) : cs_(cs) { cs_.lock(); }
    CorvCSLock(const CorvCSLock&) = delete;
    CorvCSLock& operator=(const CorvCSLock&) = delete;
    ~CorvCSLock() { cs_.unlock(); }

private:
    CorvCS& cs_;
};

}  // namespace Kitbase
