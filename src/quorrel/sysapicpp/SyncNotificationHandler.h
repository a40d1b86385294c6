#pragma once
// Calls the host's plug-and-play sink directly, on the calling thread, with the sink lock held.
#include <atomic>

#include "explorer/SysExpert.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/sysapicpp/NotificationHandler.h"

namespace sysapicpp {

class SyncNotificationHandler : public NotificationHandler {
public:
    // sender is what the sink receives as the notifying object (the expert's primary interface).
    explicit SyncNotificationHandler(IUnknown* sender) : sender_(sender) {}
    SyncNotificationHandler(const SyncNotificationHandler&) = delete;
    SyncNotificationHandler& operator=(const SyncNotificationHandler&) = delete;

    using NotificationHandler::notify;
    void notify(uint32_t kind, const std::vector<std::string>& ids) override;
    bool isConnected() override;

    // A non-null sink replaces (and releases) the current one; null disconnects.
    void connect(IsvSysPlugPlaySink* sink);
    void disconnect() { connect(nullptr); }

private:
    Kitbase::CorvCS lock_;
    CORVComPtr<IsvSysPlugPlaySink> sink_;
    // Answers isConnected without waiting for a sink call in progress (which holds lock_).
    std::atomic<bool> connected_{false};
    IUnknown* sender_;
};

}  // namespace sysapicpp
