#pragma once
// Hands the host its notifications in the order they were posted although two workers run
// them: each notification draws a ticket, and deliveries happen in ticket order. A worker whose
// ticket is not yet due leaves its delivery to the worker that makes it due, so no worker ever
// waits for another (a sink call may even end the queue on its own worker).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace sysapicpp {

class DeliveryOrder {
public:
    uint64_t draw();
    // Delivery of ticket; an empty function passes the ticket without a delivery. Runs every
    // delivery that is due on the calling thread, unless another thread is already doing so.
    // A delivery that throws is dropped.
    void complete(uint64_t ticket, std::function<void()> delivery);
    // Every delivery not yet started is skipped from now on: what they would call is going away.
    void close();

private:
    std::mutex lock_;
    uint64_t drawn_ = 0;
    uint64_t due_ = 0;
    bool delivering_ = false;
    bool closed_ = false;
    std::map<uint64_t, std::function<void()>> ready_;
};

// One drawn ticket, shared by the copies of a task; a ticket that was never delivered (its task
// was dropped) passes its turn when the last copy goes.
class DeliveryTicket {
public:
    explicit DeliveryTicket(std::shared_ptr<DeliveryOrder> order) : order_(std::move(order)), ticket_(order_->draw()) {}
    DeliveryTicket(const DeliveryTicket&) = delete;
    DeliveryTicket& operator=(const DeliveryTicket&) = delete;
    ~DeliveryTicket();

    void deliver(std::function<void()> delivery);

private:
    std::shared_ptr<DeliveryOrder> order_;
    uint64_t ticket_;
    bool completed_ = false;  // a task runs on one thread only
};

}  // namespace sysapicpp
