#include "quorrel/sysapicpp/DeliveryOrder.h"

namespace sysapicpp {

uint64_t DeliveryOrder::draw() {
    std::lock_guard<std::mutex> guard(lock_);
    return drawn_++;
}

void DeliveryOrder::complete(uint64_t ticket, std::function<void()> delivery) {
    std::unique_lock<std::mutex> guard(lock_);
    ready_.emplace(ticket, std::move(delivery));
    if (delivering_) return;
    delivering_ = true;
    while (!ready_.empty() && ready_.begin()->first == due_) {
        std::function<void()> next = std::move(ready_.begin()->second);
        ready_.erase(ready_.begin());
        if (closed_) next = nullptr;
        guard.unlock();
        if (next) {
            try {
                next();
            } catch (...) {
                // dropped: the following notifications still go out
            }
        }
        guard.lock();
        ++due_;
    }
    delivering_ = false;
}

void DeliveryOrder::close() {
    std::lock_guard<std::mutex> guard(lock_);
    closed_ = true;
}

DeliveryTicket::~DeliveryTicket() {
    if (!completed_) order_->complete(ticket_, nullptr);
}

void DeliveryTicket::deliver(std::function<void()> delivery) {
    completed_ = true;
    order_->complete(ticket_, std::move(delivery));
}

}  // namespace sysapicpp
