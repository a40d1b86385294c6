#include "quorrel/sysapicpp/AsyncNotificationHandler.h"

namespace sysapicpp {

NotifyWorkItem::NotifyWorkItem(NotificationHandler& sync, uint32_t kind, std::vector<std::string> ids,
                               std::shared_ptr<DeliveryTicket> ticket)
    : sync_(&sync), kind_(kind), ids_(std::move(ids)), ticket_(std::move(ticket)) {}

void NotifyWorkItem::operator()() {
    NotificationHandler* sync = sync_;
    const uint32_t kind = kind_;
    std::vector<std::string> ids = ids_;
    ticket_->deliver([sync, kind, ids] { sync->notify(kind, ids); });
}

AsyncNotificationHandler::AsyncNotificationHandler(NotificationHandler& sync, TaskQueue& queue)
    : sync_(sync), queue_(queue), order_(std::make_shared<DeliveryOrder>()) {}

AsyncNotificationHandler::~AsyncNotificationHandler() { order_->close(); }

void AsyncNotificationHandler::notify(uint32_t kind, const std::vector<std::string>& ids) {
    if (ids.empty() || !sync_.isConnected()) return;
    std::lock_guard<std::mutex> guard(postLock_);
    FunctorTask<NotifyWorkItem> task(NotifyWorkItem(sync_, kind, ids, std::make_shared<DeliveryTicket>(order_)));
    queue_.post(task);
}

bool AsyncNotificationHandler::isConnected() { return sync_.isConnected(); }

}  // namespace sysapicpp
