#include "quorrel/comsupport/CorvCS.h"

namespace Kitbase {

bool CorvCS::lock(uint32_t timeoutMs) {
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(mutex_);
    if (depth_ > 0 && owner_ == self) {
        ++depth_;
        return true;
    }
    const auto free = [this] { return depth_ == 0; };
    if (timeoutMs == kInfinite) {
        released_.wait(guard, free);
    } else if (!released_.wait_for(guard, std::chrono::milliseconds(timeoutMs), free)) {
        return false;
    }
    owner_ = self;
    depth_ = 1;
    return true;
}

bool CorvCS::unlock() {
    std::unique_lock<std::mutex> guard(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
    if (--depth_ == 0) {
        owner_ = std::thread::id{};
        guard.unlock();
        released_.notify_one();
    }
    return true;
}

bool CorvCS::heldByCurrentThread() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return depth_ > 0 && owner_ == std::this_thread::get_id();
}

}  // namespace Kitbase
