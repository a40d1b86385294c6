#pragma once
// Calls the host's plug-and-play sink directly, on the calling thread, with the sink lock held.
#include <atomic>
#include <memory>

#include "explorer/SysExpert.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/sysapicpp/NotificationHandler.h"

namespace sysapicpp {

class SyncNotificationHandler : public NotificationHandler {
public:
    // sender is what the sink receives as the notifying object (the expert's primary interface).
    explicit SyncNotificationHandler(IUnknown* sender) : state_(std::make_shared<State>(sender)) {}
    SyncNotificationHandler(const SyncNotificationHandler&) = delete;
    SyncNotificationHandler& operator=(const SyncNotificationHandler&) = delete;

    using NotificationHandler::notify;
    void notify(uint32_t kind, const std::vector<std::string>& ids) override;
    bool isConnected() override;

    // A non-null sink replaces (and releases) the current one; null disconnects. Both wait for
    // a sink call in progress on another thread; once a disconnect has begun, no further sink
    // call begins.
    void connect(IsvSysPlugPlaySink* sink);
    void disconnect() { connect(nullptr); }

private:
    // Held by every call in progress: a host may let go of the expert (and this handler) inside
    // its sink, and the call still has to leave the lock.
    struct State {
        explicit State(IUnknown* sender) : sender(sender) {}
        Kitbase::CorvCS lock;
        CORVComPtr<IsvSysPlugPlaySink> sink;
        // Answers isConnected without waiting for a sink call in progress (which holds the lock).
        std::atomic<bool> connected{false};
        IUnknown* sender;
    };
    std::shared_ptr<State> state_;
};

}  // namespace sysapicpp
