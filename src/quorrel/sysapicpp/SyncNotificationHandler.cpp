#include "quorrel/sysapicpp/SyncNotificationHandler.h"

#include "common/platform/WideText.h"
#include "quorrel/sysapicpp/Enumerators.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

void SyncNotificationHandler::notify(uint32_t kind, const std::vector<std::string>& ids) {
    Kitbase::CorvCSLock guard(lock_);
    if (!sink_) return;
    CORVComPtr<IsvSysPlugPlaySink> sink = sink_;
    StringList wide;
    wide.reserve(ids.size());
    for (const std::string& id : ids) wide.push_back(platform::utf8ToWide(id));
    CORVComPtr<IsvSysEnumStringList> enumerator;
    SYSAPICPP_CHECK(createStringEnumerator(wide, enumerator.receive()));
    // The sink's answer is not ours to act on.
    (void)sink->OnDevicesChanged(sender_, kind, enumerator.get());
}

bool SyncNotificationHandler::isConnected() { return connected_.load(); }

void SyncNotificationHandler::connect(IsvSysPlugPlaySink* sink) {
    CORVComPtr<IsvSysPlugPlaySink> old;
    {
        Kitbase::CorvCSLock guard(lock_);
        old = sink_;
        sink_ = CORVComPtr<IsvSysPlugPlaySink>(sink);
        connected_.store(sink != nullptr);
    }
    // The old sink is released outside the lock: its release may call back into the expert.
}

}  // namespace sysapicpp
