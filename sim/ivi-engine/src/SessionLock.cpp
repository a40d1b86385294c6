#include "SessionLock.h"

namespace simivi {

ViStatus SessionLock::lock() {
    std::unique_lock<std::mutex> guard(mutex_);
    const std::thread::id self = std::this_thread::get_id();
    released_.wait(guard, [&] { return closed_ || depth_ == 0 || owner_ == self; });
    if (closed_) return IVI_ERROR_INVALID_SESSION_HANDLE;
    owner_ = self;
    ++depth_;
    return VI_SUCCESS;
}

ViStatus SessionLock::unlock() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) return IVI_ERROR_SESSION_NOT_LOCKED;
    if (--depth_ == 0) {
        owner_ = std::thread::id();
        released_.notify_one();
    }
    return VI_SUCCESS;
}

ViInt32 SessionLock::depth() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return depth_;
}

void SessionLock::close() {
    std::lock_guard<std::mutex> guard(mutex_);
    closed_ = true;
    released_.notify_all();
}

}  // namespace simivi
