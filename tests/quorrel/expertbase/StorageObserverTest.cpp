// The storage observer: batches, the reconcile of a batch, its slots, and its subscription.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "explorer/PropertyTags.h"
#include "common/orverr/Exception.h"
#include "explorer/SimSvs.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/SVSNotificationHandler.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Exceptions.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"
#include "storage/SimStorage.h"
#include "support/FakeEnvironment.h"

namespace {

const std::string kX = "{00000000-0000-0000-0000-0000000000AA}";
const std::string kKept = "{00000000-0000-0000-0000-0000000000BB}";

// Devices the test decides; bags carry their ID only.
class DeviceSource final : public nORVMISysAPICommon100::PropertyBagFactoryInterface {
public:
    bool listDeviceIDs(sysapicpp::IdList& out) override {
        out = shown;
        return true;
    }
    void createPropertyBags(sysapicpp::BagList& out, const sysapicpp::IdList& ids) override {
        if (failWith == 1) SYSAPICPP_THROW(FailException);
        if (failWith == 2) throw std::bad_alloc();
        out.clear();
        for (const std::string& id : ids) {
            if (std::find(shown.begin(), shown.end(), id) == shown.end()) continue;
            IsvSysPropertyBag4* bag = nullptr;
            SYSAPICPP_CHECK(sysapicpp::createPropertyBag(&bag));
            sysapicpp::PropertyBagHandle handle(bag);
            bag->Release();
            handle.setString(kSvSysTagDeviceID, std::wstring(id.begin(), id.end()));
            out.push_back(handle);
        }
    }
    bool isDeviceSupported(const tSSRawGUID& id, nORVMDBG100::tStatus2&) override {
        return std::find(shown.begin(), shown.end(), orv::dsc::guidToString(id)) != shown.end();
    }
    sysapicpp::IdList shown;
    int failWith = 0;
};

class RecordingHandler final : public sysapicpp::NotificationHandler {
public:
    using NotificationHandler::notify;
    void notify(uint32_t kind, const std::vector<std::string>& ids) override {
        for (const std::string& id : ids) heard.push_back(std::to_string(kind) + ":" + id);
    }
    bool isConnected() override { return true; }
    std::vector<std::string> heard;
};

// A storage object handed to the observer.
class StorageObject final : public IsvsObject {
public:
    explicit StorageObject(const std::string& id, HRESULT getIdResult = S_OK)
        : id_(orv::dsc::toGuid(orv::dsc::guidFromString(id))), result_(getIdResult) {}
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetID(GUID* id) override {
        *id = id_;
        return result_;
    }

private:
    GUID id_;
    HRESULT result_;
};

GUID guidOf(const std::string& id) { return orv::dsc::toGuid(orv::dsc::guidFromString(id)); }

using ObserverObject = CORVComObject<nORVMISysAPICommon100::SVSStorageObserver>;

class Observer : public ::testing::Test {
protected:
    void SetUp() override {
        source.shown = {kKept};
        ASSERT_EQ(S_OK, ObserverObject::createInstance(observer, source, cache, sink));
        cache.refresh();
    }

    DeviceSource source;
    sysapicpp::PropertyBagCache cache{source};
    RecordingHandler sink;
    CORVComPtr<ObserverObject> observer;
};

}  // namespace

TEST(Reconcile, EveryCombinationOfOneBatch) {
    enum Kind { kNone = 0, kAdded = 1, kRemoved = 2, kChanged = 3 };
    struct Case {
        const char* name;
        bool heldBefore;
        bool inStorageAfter;
        bool added, changed, removed;
        Kind heard;
    };
    const Case cases[] = {
        {"new device", false, true, true, false, false, kAdded},
        {"new device changed at once", false, true, true, true, false, kAdded},
        {"new device gone again", false, false, true, false, true, kNone},
        {"new device removed and added again", false, true, true, false, true, kAdded},
        {"change of a device not shown", false, true, false, true, false, kNone},
        {"removal of a device not shown", false, false, false, false, true, kNone},
        {"change of a shown device", true, true, false, true, false, kChanged},
        {"removal of a shown device", true, false, false, false, true, kRemoved},
        {"shown device changed and removed", true, false, false, true, true, kRemoved},
        {"shown device removed and added again", true, true, true, false, true, kChanged},
        {"shown device added again and removed", true, false, true, false, true, kRemoved},
        {"shown device changed and gone", true, false, false, true, false, kRemoved},
        {"shown device announced again", true, true, true, false, false, kChanged},
        {"everything at once on a shown device", true, true, true, true, true, kChanged},
    };
    for (const Case& c : cases) {
        DeviceSource source;
        sysapicpp::PropertyBagCache cache(source);
        source.shown = c.heldBefore ? sysapicpp::IdList{kKept, kX} : sysapicpp::IdList{kKept};
        cache.refresh();
        source.shown = c.inStorageAfter ? sysapicpp::IdList{kKept, kX} : sysapicpp::IdList{kKept};
        std::set<std::string> added, changed, removed;
        if (c.added) added.insert(kX);
        if (c.changed) changed.insert(kX);
        if (c.removed) removed.insert(kX);
        const auto held = nORVMISysAPICommon100::heldDevices(added, changed, removed, cache);
        const auto heard = nORVMISysAPICommon100::reconcileBatch(added, changed, removed, held, cache);
        EXPECT_EQ(c.heard == kAdded ? sysapicpp::IdList{kX} : sysapicpp::IdList{}, heard.added) << c.name;
        EXPECT_EQ(c.heard == kChanged ? sysapicpp::IdList{kX} : sysapicpp::IdList{}, heard.changed) << c.name;
        EXPECT_EQ(c.heard == kRemoved ? sysapicpp::IdList{kX} : sysapicpp::IdList{}, heard.removed) << c.name;
        // The cache follows the storage, and the untouched device keeps its bag.
        EXPECT_EQ(c.inStorageAfter && (c.heldBefore ? true : c.added), cache.contains(kX)) << c.name;
        EXPECT_TRUE(cache.contains(kKept)) << c.name;
    }
}

TEST_F(Observer, NestedBatchesAreProcessedWhenTheOutermostEnds) {
    source.shown = {kKept, kX};
    StorageObject added(kX);
    EXPECT_EQ(S_OK, observer->OnBeginBatch());
    EXPECT_EQ(S_OK, observer->OnBeginBatch());
    EXPECT_EQ(S_OK, observer->OnObjectAdded(&added));
    EXPECT_EQ(S_OK, observer->OnEndBatch());
    EXPECT_TRUE(sink.heard.empty());
    EXPECT_FALSE(cache.contains(kX));
    EXPECT_EQ(S_OK, observer->OnEndBatch());
    EXPECT_EQ((std::vector<std::string>{"1:" + kX}), sink.heard);
    EXPECT_TRUE(cache.contains(kX));
}

TEST_F(Observer, KindsAreAnnouncedAddedChangedRemoved) {
    const std::string kNew = "{00000000-0000-0000-0000-0000000000CC}";
    source.shown = {kKept, kX};
    cache.markChanged(kX);
    cache.refresh();
    source.shown = {kKept, kNew};
    StorageObject added(kNew), removed(kX);
    const GUID changed = guidOf(kKept);
    observer->OnBeginBatch();
    observer->OnObjectRemoved(&removed);
    observer->OnObjectChanged(&changed);
    observer->OnObjectAdded(&added);
    observer->OnEndBatch();
    EXPECT_EQ((std::vector<std::string>{"1:" + kNew, "3:" + kKept, "2:" + kX}), sink.heard);
}

TEST_F(Observer, BadArgumentsAndUnbalancedEndsAreIgnored) {
    EXPECT_EQ(S_OK, observer->OnEndBatch());  // no batch begun
    EXPECT_EQ(0, observer->batchDepth());
    EXPECT_EQ(S_OK, observer->OnBeginBatch());
    EXPECT_EQ(S_OK, observer->OnObjectAdded(nullptr));
    EXPECT_EQ(S_OK, observer->OnObjectChanged(nullptr));
    EXPECT_EQ(S_OK, observer->OnObjectRemoved(nullptr));
    EXPECT_EQ(S_OK, observer->OnStorageReloaded());
    EXPECT_EQ(S_OK, observer->OnStorageClosing());
    EXPECT_EQ(S_OK, observer->OnEndBatch());
    EXPECT_EQ(S_OK, observer->OnEndBatch());
    EXPECT_EQ(0, observer->batchDepth());
    EXPECT_TRUE(sink.heard.empty());

    // An unsupported device is not announced.
    StorageObject unsupported("{00000000-0000-0000-0000-0000000000DD}");
    observer->OnBeginBatch();
    EXPECT_EQ(S_OK, observer->OnObjectAdded(&unsupported));
    observer->OnEndBatch();
    EXPECT_TRUE(sink.heard.empty());
}

TEST_F(Observer, FailuresBecomeHResultsAndAFailedBatchIsRetried) {
    StorageObject broken(kX, E_ACCESSDENIED);
    observer->OnBeginBatch();
    EXPECT_EQ(E_ACCESSDENIED, observer->OnObjectAdded(&broken));
    EXPECT_EQ(E_ACCESSDENIED, observer->OnObjectRemoved(&broken));
    observer->OnEndBatch();

    const GUID changed = guidOf(kKept);
    struct Case {
        int failWith;
        HRESULT expected;
    };
    for (const Case& c : {Case{1, E_FAIL}, Case{2, E_OUTOFMEMORY}}) {
        source.failWith = c.failWith;
        observer->OnBeginBatch();
        observer->OnObjectChanged(&changed);
        EXPECT_EQ(c.expected, observer->OnEndBatch());
        EXPECT_EQ(0, observer->batchDepth());
    }
    // The failed batches are retried with the next one; the device is still known to the host.
    source.failWith = 0;
    observer->OnBeginBatch();
    EXPECT_EQ(S_OK, observer->OnEndBatch());
    EXPECT_EQ((std::vector<std::string>{"3:" + kKept}), sink.heard);
}

TEST(StorageSubscription, SubscribesForItsLifeAndThrowsTheHostsFailures) {
    DeviceSource source;
    sysapicpp::PropertyBagCache cache(source);
    RecordingHandler sink;
    const uint32_t before = SimSvs_getSubscriptionCount();
    {
        nORVMISysAPICommon100::SVSNotificationHandler handler(source, cache, sink);
        EXPECT_EQ(before + 1, SimSvs_getSubscriptionCount());
        // A device added to the storage reaches the sink through the subscription.
        source.shown = {kX};
        SimStorage_beginBatch();
        SimStorage_endBatch();
    }
    EXPECT_EQ(before, SimSvs_getSubscriptionCount());
    EXPECT_EQ(0u, SimSvs_getConfigurationCount());

    struct Case {
        void (*inject)(int32_t);
        HRESULT hr;
    };
    for (const Case& c : {Case{&SimSvs_setConfigurationFailure, E_ACCESSDENIED}, Case{&SimSvs_setSubscribeFailure, E_OUTOFMEMORY}}) {
        c.inject(c.hr);
        try {
            nORVMISysAPICommon100::SVSNotificationHandler handler(source, cache, sink);
            ADD_FAILURE() << "the subscription did not fail";
        } catch (const sysapicpp::HResultException& e) {
            EXPECT_EQ(c.hr, e.hresult());
        }
        c.inject(0);
        EXPECT_EQ(before, SimSvs_getSubscriptionCount());
        EXPECT_EQ(0u, SimSvs_getConfigurationCount());
    }
}

// Libraries that cannot be bound fail the subscription with a text that names what was tried.
TEST(StorageSubscription, UnboundLibrariesFailWithWhatWasLookedFor) {
    DeviceSource source;
    sysapicpp::PropertyBagCache cache(source);
    RecordingHandler sink;
    testing_support::FakeEnvironment environment;
    environment.values["ORV_REGISTRY_FILE"] = "/nonexistent/explorer.reg";
    auto registry = std::make_unique<platform::Registry>(environment);
    hostbinding::SvsLibraryBinding binding(*registry, platform::dynamicLibrary());
    try {
        nORVMISysAPICommon100::SVSNotificationHandler handler(source, cache, sink, binding);
        ADD_FAILURE() << "the subscription did not fail";
    } catch (const orverr::Exception& e) {
        const std::string text = e.documentText();
        EXPECT_NE(std::string::npos, text.find("HKEY_LOCAL_MACHINE")) << text;
        EXPECT_NE(std::string::npos, text.find("default view")) << text;
    }
}
