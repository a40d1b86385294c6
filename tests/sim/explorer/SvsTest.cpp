// The explorer's configuration object: observer subscription through slots 10 and 11, and the
// storage changes it passes on.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "explorer/SimSvs.h"
#include "explorer/SvsApi.h"
#include "storage/SimStorage.h"

namespace {

const char* const kNewDevice = "{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}";
const char* const kPxi = "{D1A50001-0C2E-4B7A-8E11-5A0000000001}";

std::string text(const GUID& id) {
    wchar_t wide[39];
    svsGuidToString(&id, wide, 39);
    return std::string(wide, wide + 38);
}

// Records every call as a short line.
class RecordingObserver final : public IsvsStorageObserver {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IsvsStorageObserver) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }  // lives on the test's stack
    HRESULT OnBeginBatch() override { return note("begin"); }
    HRESULT OnEndBatch() override { return note("end"); }
    HRESULT OnStorageReloaded() override { return note("reloaded"); }
    HRESULT OnObjectAdded(IsvsObject* object) override { return note("added " + idOf(object)); }
    HRESULT OnObjectChanged(const GUID* id) override { return note("changed " + text(*id)); }
    HRESULT OnObjectRemoved(IsvsObject* object) override { return note("removed " + idOf(object)); }
    HRESULT OnStorageClosing() override { return note("closing"); }

    std::atomic<ULONG> references{1};
    std::vector<std::string> calls;

private:
    HRESULT note(const std::string& call) {
        calls.push_back(call);
        return S_OK;
    }
    static std::string idOf(IsvsObject* object) {
        GUID id{};
        HRESULT hr = object->GetID(&id);
        return SUCCEEDED(hr) ? text(id) : "GetID failed";
    }
};

std::string newDevice() {
    return std::string("{\"id\": \"") + kNewDevice +
           "\", \"class\": \"{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}\", \"properties\": {\"9553\": \"N\"}}";
}

template <typename Function>
Function slot(void* object, int index) {
    return reinterpret_cast<Function>((*reinterpret_cast<void***>(object))[index]);
}

class Svs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SimStorage_load(nullptr), 0);
        ASSERT_EQ(svsGetConfiguration(nullptr, kSvsConfigurationFlagsExpert, &configuration), S_OK);
        ASSERT_NE(configuration, nullptr);
    }
    void TearDown() override {
        if (configuration) configuration->Release();
        SimSvs_setSubscribeFailure(0);
        SimSvs_setGetIDFailure(0);
        SimSvs_setConfigurationFailure(0);
        SimStorage_load(nullptr);
        EXPECT_EQ(SimSvs_getConfigurationCount(), 0u);
        EXPECT_EQ(SimSvs_getSubscriptionCount(), 0u);
    }
    HRESULT subscribeThroughSlot10(IsvsStorageObserver* observer) {
        using Subscribe = HRESULT (*)(IsvsConfiguration*, ULONG, const GUID*, IsvsStorageObserver*);
        return slot<Subscribe>(configuration, 10)(configuration, 11, &SVS_CATEGORY_DEVICES, observer);
    }
    HRESULT unsubscribeThroughSlot11(IsvsStorageObserver* observer) {
        using Unsubscribe = HRESULT (*)(IsvsConfiguration*, IsvsStorageObserver*);
        return slot<Unsubscribe>(configuration, 11)(configuration, observer);
    }
    IsvsConfiguration* configuration = nullptr;
};

TEST_F(Svs, ConfigurationArguments) {
    IsvsConfiguration* other = reinterpret_cast<IsvsConfiguration*>(1);
    EXPECT_EQ(svsGetConfiguration(nullptr, 0x840, nullptr), E_POINTER);
    int reserved = 0;
    EXPECT_EQ(svsGetConfiguration(&reserved, 0x840, &other), E_INVALIDARG);
    EXPECT_EQ(other, nullptr);
    SimSvs_setConfigurationFailure(E_ACCESSDENIED);
    EXPECT_EQ(svsGetConfiguration(nullptr, 0x840, &other), E_ACCESSDENIED);
    ULONG flags = 0;
    EXPECT_EQ(configuration->GetFlags(&flags), S_OK);
    EXPECT_EQ(flags, 0x840u);
    void* queried = nullptr;
    EXPECT_EQ(configuration->QueryInterface(IID_IsvsConfiguration, &queried), S_OK);
    EXPECT_EQ(queried, configuration);
    configuration->Release();
    EXPECT_EQ(configuration->QueryInterface(IID_IsvsObject, &queried), E_NOINTERFACE);
}

TEST_F(Svs, SubscriptionHoldsAReferenceUntilUnsubscribed) {
    RecordingObserver observer;
    ASSERT_EQ(subscribeThroughSlot10(&observer), S_OK);
    EXPECT_EQ(observer.references.load(), 2u);
    ULONG count = 0;
    configuration->GetSubscriptionCount(&count);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(unsubscribeThroughSlot11(&observer), S_OK);
    EXPECT_EQ(observer.references.load(), 1u);
    EXPECT_EQ(unsubscribeThroughSlot11(&observer), E_INVALIDARG);
}

TEST_F(Svs, SubscriptionNeedsDevicesKindAndCategory) {
    RecordingObserver observer;
    EXPECT_EQ(configuration->Subscribe(12, &SVS_CATEGORY_DEVICES, &observer), E_INVALIDARG);
    EXPECT_EQ(configuration->Subscribe(11, &IID_IsvsObject, &observer), E_INVALIDARG);
    EXPECT_EQ(configuration->Subscribe(11, nullptr, &observer), E_POINTER);
    EXPECT_EQ(configuration->Subscribe(11, &SVS_CATEGORY_DEVICES, nullptr), E_POINTER);
    SimSvs_setSubscribeFailure(E_OUTOFMEMORY);
    EXPECT_EQ(subscribeThroughSlot10(&observer), E_OUTOFMEMORY);
    EXPECT_EQ(observer.references.load(), 1u);
}

TEST_F(Svs, StorageChangesArriveAsBatches) {
    RecordingObserver observer;
    ASSERT_EQ(subscribeThroughSlot10(&observer), S_OK);
    ASSERT_EQ(SimStorage_addObject(newDevice().c_str()), 0);
    ASSERT_EQ(SimStorage_modifyObject(newDevice().c_str()), 0);
    ASSERT_EQ(SimStorage_removeObject(kNewDevice), 0);
    std::string id = kNewDevice;
    std::vector<std::string> expected = {"begin", "added " + id,   "end", "begin", "changed " + id,
                                         "end",   "begin",         "removed " + id, "end"};
    EXPECT_EQ(observer.calls, expected);
    unsubscribeThroughSlot11(&observer);
    observer.calls.clear();
    SimStorage_removeObject(kPxi);
    EXPECT_TRUE(observer.calls.empty());
}

TEST_F(Svs, TwoSubscriptionsOfOneObserverCountTwice) {
    RecordingObserver observer;
    subscribeThroughSlot10(&observer);
    subscribeThroughSlot10(&observer);
    SimStorage_removeObject(kPxi);
    EXPECT_EQ(observer.calls.size(), 6u);
    EXPECT_EQ(unsubscribeThroughSlot11(&observer), S_OK);
    EXPECT_EQ(unsubscribeThroughSlot11(&observer), S_OK);
    EXPECT_EQ(observer.references.load(), 1u);
}

// Subscribes a second observer from inside the first one's batch.
class SubscribingObserver final : public IsvsStorageObserver {
public:
    SubscribingObserver(IsvsConfiguration* configuration, IsvsStorageObserver* late)
        : configuration_(configuration), late_(late) {}
    HRESULT QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT OnBeginBatch() override {
        if (late_ != nullptr) configuration_->Subscribe(11, &SVS_CATEGORY_DEVICES, late_);
        late_ = nullptr;
        return S_OK;
    }
    HRESULT OnEndBatch() override { return S_OK; }
    HRESULT OnStorageReloaded() override { return S_OK; }
    HRESULT OnObjectAdded(IsvsObject*) override { return S_OK; }
    HRESULT OnObjectChanged(const GUID*) override { return S_OK; }
    HRESULT OnObjectRemoved(IsvsObject*) override { return S_OK; }
    HRESULT OnStorageClosing() override { return S_OK; }

private:
    IsvsConfiguration* configuration_;
    IsvsStorageObserver* late_;
};

TEST_F(Svs, ObserverSubscribedDuringABatchJoinsTheNextOne) {
    RecordingObserver late;
    SubscribingObserver first(configuration, &late);
    ASSERT_EQ(configuration->Subscribe(11, &SVS_CATEGORY_DEVICES, &first), S_OK);
    SimStorage_removeObject(kPxi);
    EXPECT_TRUE(late.calls.empty());
    SimStorage_removeObject("{D1A50002-0C2E-4B7A-8E11-5A0000000002}");
    EXPECT_EQ(late.calls.size(), 3u);
    configuration->Unsubscribe(&first);
    configuration->Unsubscribe(&late);
}

TEST_F(Svs, ObjectsCanFailToTellTheirID) {
    RecordingObserver observer;
    subscribeThroughSlot10(&observer);
    SimSvs_setGetIDFailure(E_UNEXPECTED);
    SimStorage_removeObject(kPxi);
    ASSERT_EQ(observer.calls.size(), 3u);
    EXPECT_EQ(observer.calls[1], "removed GetID failed");
    unsubscribeThroughSlot11(&observer);
}

TEST_F(Svs, ReloadIsOneBatch) {
    RecordingObserver observer;
    subscribeThroughSlot10(&observer);
    EXPECT_EQ(configuration->Reload(), S_OK);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"begin", "reloaded", "end"}));
    unsubscribeThroughSlot11(&observer);
}

TEST_F(Svs, StorageQueries) {
    ULONG count = 0;
    ASSERT_EQ(configuration->GetObjectCount(SIMSTORAGE_DEVICE_CLASS, &count), S_OK);
    EXPECT_EQ(count, 11u);
    GUID ids[2] = {};
    ASSERT_EQ(configuration->GetObjectIDs(SIMSTORAGE_DEVICE_CLASS, 2, ids, &count), S_OK);
    EXPECT_EQ(text(ids[0]), kPxi);
    IsvsObject* object = nullptr;
    ASSERT_EQ(configuration->FindObject(&ids[0], &object), S_OK);
    GUID id{};
    object->GetID(&id);
    EXPECT_EQ(id, ids[0]);
    object->Release();
    GUID unknown{};
    EXPECT_EQ(configuration->FindObject(&unknown, &object), S_FALSE);
    EXPECT_EQ(object, nullptr);
}

// Counts batch depth and calls made after it was unsubscribed.
class BatchCounter final : public IsvsStorageObserver {
public:
    HRESULT QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT OnBeginBatch() override { return note(+1); }
    HRESULT OnEndBatch() override { return note(-1); }
    HRESULT OnStorageReloaded() override { return note(0); }
    HRESULT OnObjectAdded(IsvsObject*) override { return note(0); }
    HRESULT OnObjectChanged(const GUID*) override { return note(0); }
    HRESULT OnObjectRemoved(IsvsObject*) override { return note(0); }
    HRESULT OnStorageClosing() override { return note(0); }

    std::atomic<bool> closed{false};
    std::atomic<int> depth{0};
    std::atomic<int> lateCalls{0};
    std::atomic<int> unbalanced{0};

private:
    HRESULT note(int step) {
        if (closed.load()) ++lateCalls;
        if ((depth += step) < 0) ++unbalanced;
        return S_OK;
    }
};

TEST_F(Svs, UnsubscribedObserversHearNothingMore) {
    std::thread changer([] {
        for (int i = 0; i < 100; ++i) {
            SimStorage_addObject(newDevice().c_str());
            SimStorage_removeObject(kNewDevice);
        }
    });
    for (int i = 0; i < 100; ++i) {
        BatchCounter observer;
        ASSERT_EQ(configuration->Subscribe(11, &SVS_CATEGORY_DEVICES, &observer), S_OK);
        std::this_thread::yield();
        ASSERT_EQ(configuration->Unsubscribe(&observer), S_OK);
        observer.closed = true;
        EXPECT_EQ(observer.lateCalls.load(), 0);
        EXPECT_EQ(observer.unbalanced.load(), 0);
    }
    changer.join();
}

// The slot positions experts and the explorer rely on.
TEST(SvsLayout, ObserverSlotsThreeToNine) {
    RecordingObserver observer;
    using NoArgument = HRESULT (*)(IsvsStorageObserver*);
    using ObjectArgument = HRESULT (*)(IsvsStorageObserver*, IsvsObject*);
    using GuidArgument = HRESULT (*)(IsvsStorageObserver*, const GUID*);
    slot<NoArgument>(&observer, 3)(&observer);
    slot<NoArgument>(&observer, 4)(&observer);
    slot<NoArgument>(&observer, 5)(&observer);
    slot<GuidArgument>(&observer, 7)(&observer, &SVS_CATEGORY_DEVICES);
    slot<NoArgument>(&observer, 9)(&observer);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"begin", "end", "reloaded",
                                                        "changed {FD0CEC60-8263-383F-D0AF-C3369715499C}", "closing"}));
    (void)sizeof(ObjectArgument);
}

}  // namespace
