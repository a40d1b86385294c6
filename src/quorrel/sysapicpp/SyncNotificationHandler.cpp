#include "quorrel/sysapicpp/SyncNotificationHandler.h"

#include "common/platform/WideText.h"
#include "quorrel/sysapicpp/Enumerators.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

void SyncNotificationHandler::notify(uint32_t kind, const std::vector<std::string>& ids) {
    const std::shared_ptr<State> state = state_;
    Kitbase::CorvCSLock guard(state->lock);
    // A disconnect that waits for the lock already stops every call that did not begin.
    if (!state->sink || !state->connected.load()) return;
    CORVComPtr<IsvSysPlugPlaySink> sink = state->sink;
    StringList wide;
    wide.reserve(ids.size());
    for (const std::string& id : ids) wide.push_back(platform::utf8ToWide(id));
    CORVComPtr<IsvSysEnumStringList> enumerator;
    SYSAPICPP_CHECK(createStringEnumerator(wide, enumerator.out()));
    // The sink's answer is not ours to act on.
    (void)sink->OnDevicesChanged(state->sender, kind, enumerator.get());
}

bool SyncNotificationHandler::isConnected() { return state_->connected.load(); }

void SyncNotificationHandler::connect(IsvSysPlugPlaySink* sink) {
    // Said before the lock is waited for: a sink call in progress holds it, and the calls queued
    // behind that one must not start meanwhile.
    if (sink == nullptr) state_->connected.store(false);
    CORVComPtr<IsvSysPlugPlaySink> old;
    {
        Kitbase::CorvCSLock guard(state_->lock);
        old = state_->sink;
        state_->sink = CORVComPtr<IsvSysPlugPlaySink>(sink);
        state_->connected.store(sink != nullptr);
    }
    // The old sink is released outside the lock: its release may call back into the expert.
    old.reset();
}

}  // namespace sysapicpp
