#pragma once
// The explorer's own objects handed to the expert: the plug-and-play sink and a bag collection.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "explorer/SysExpert.h"
#include "sim/explorer/RefCounted.h"

namespace sysvistahost {

// Prints every notification as one line: "notification <kind> <id> ...".
class HostSink final : public orvsim::explorer::RefCounted<IsvSysPlugPlaySink> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT OnDevicesChanged(IUnknown* sender, ULONG kind, IsvSysEnumStringList* deviceIDs) override;

    uint32_t notificationCount();
    // Waits until count notifications arrived in all, or the time is up; returns whether they did.
    bool waitForNotifications(uint32_t count, std::chrono::seconds limit);

private:
    std::mutex lock_;
    std::condition_variable arrived_;
    uint32_t count_ = 0;
};

class BagCollection final : public orvsim::explorer::RefCounted<IsvSysPropertyBagCollection> {
public:
    ~BagCollection() override;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetCount(ULONG* count) override;
    HRESULT GetItem(ULONG index, IsvSysPropertyBag** bag) override;
    HRESULT Add(IsvSysPropertyBag* bag) override;

private:
    std::mutex lock_;
    std::vector<IsvSysPropertyBag*> bags_;
};

// "added", "removed", "changed" or the number.
std::string notificationKindName(ULONG kind);

}  // namespace sysvistahost
