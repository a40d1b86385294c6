#pragma once
// The configuration object of svsGetConfiguration: storage queries and observer subscriptions.
#include <atomic>
#include <string>

#include "RefCounted.h"
#include "explorer/SvsStorage.h"

namespace orvsim {
namespace explorer {

class SvsConfiguration final : public RefCounted<IsvsConfiguration> {
public:
    SvsConfiguration(ULONG flags, const wchar_t* name);
    ~SvsConfiguration() override;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetFlags(ULONG* flags) override;
    HRESULT GetName(BSTR* name) override;
    HRESULT FindObject(const GUID* id, IsvsObject** object) override;
    HRESULT GetObjectCount(ULONG storageClass, ULONG* count) override;
    HRESULT GetObjectIDs(ULONG storageClass, ULONG capacity, GUID* ids, ULONG* count) override;
    HRESULT Reload() override;
    HRESULT GetSubscriptionCount(ULONG* count) override;
    HRESULT Subscribe(ULONG kind, const GUID* category, IsvsStorageObserver* observer) override;
    HRESULT Unsubscribe(IsvsStorageObserver* observer) override;

    static std::atomic<uint32_t> aliveCount;
    static std::atomic<HRESULT> subscribeFailure;

private:
    ULONG flags_;
    std::wstring name_;
};

}  // namespace explorer
}  // namespace orvsim
