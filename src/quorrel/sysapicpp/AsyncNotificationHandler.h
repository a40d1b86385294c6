#pragma once
// Tells the host about changes from a worker thread: each notification becomes a task that
// calls the synchronous handler.
#include <memory>
#include <mutex>

#include "quorrel/sysapicpp/DeliveryOrder.h"
#include "quorrel/sysapicpp/NotificationHandler.h"
#include "quorrel/sysapicpp/Task.h"

namespace sysapicpp {

// The work of one notification: the handler, the kind and its own copy of the IDs.
class NotifyWorkItem {
public:
    NotifyWorkItem(NotificationHandler& sync, uint32_t kind, std::vector<std::string> ids,
                   std::shared_ptr<DeliveryTicket> ticket);
    void operator()();

private:
    NotificationHandler* sync_;
    uint32_t kind_;
    std::vector<std::string> ids_;
    std::shared_ptr<DeliveryTicket> ticket_;
};

class AsyncNotificationHandler final : public NotificationHandler {
public:
    // sync delivers to the host's sink; both outlive this handler.
    AsyncNotificationHandler(NotificationHandler& sync, TaskQueue& queue);
    AsyncNotificationHandler(const AsyncNotificationHandler&) = delete;
    AsyncNotificationHandler& operator=(const AsyncNotificationHandler&) = delete;
    // Notifications still waiting for their turn are dropped (the queue normally delivered all
    // before; only a shutdown on a worker leaves some behind).
    ~AsyncNotificationHandler() override;

    using NotificationHandler::notify;
    // Nothing is posted for an empty list or when no sink is registered.
    void notify(uint32_t kind, const std::vector<std::string>& ids) override;
    bool isConnected() override;

private:
    NotificationHandler& sync_;
    TaskQueue& queue_;
    // Tickets are drawn and tasks posted under one lock, so ticket order is FIFO order.
    std::mutex postLock_;
    // Shared with the queued tasks, which may outlive this handler.
    std::shared_ptr<DeliveryOrder> order_;
};

}  // namespace sysapicpp
