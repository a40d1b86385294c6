#include <gtest/gtest.h>

#include <map>

#include "explorer/PropertyTags.h"
#include "explorer/SvsResults.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Exceptions.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"

namespace {

// A device source whose devices the test decides, recording what the cache asks for.
class DeviceSource : public sysapicpp::PropertyBagFactory {
public:
    bool listDeviceIDs(sysapicpp::IdList& out) override {
        ++listCalls;
        out = shown;
        return listComplete;
    }
    void createPropertyBags(sysapicpp::BagList& out, const sysapicpp::IdList& ids) override {
        requests.push_back(ids);
        if (failNext || failures > 0) {
            failNext = false;
            if (failures > 0) --failures;
            SYSAPICPP_THROW(FailException);
        }
        out.clear();
        for (const std::string& id : ids) {
            bool isShown = false;
            for (const std::string& s : shown) isShown = isShown || s == id;
            if (!isShown) continue;
            IsvSysPropertyBag4* bag = nullptr;
            SYSAPICPP_CHECK(sysapicpp::createPropertyBag(&bag));
            sysapicpp::PropertyBagHandle handle(bag);
            bag->Release();
            handle.setString(kSvSysTagDeviceID, std::wstring(id.begin(), id.end()));
            handle.setU32(1, ++generation);
            out.push_back(handle);
        }
    }

    sysapicpp::IdList shown;
    std::vector<sysapicpp::IdList> requests;
    int listCalls = 0;
    uint32_t generation = 0;
    bool failNext = false;
    int failures = 0;  // builds that fail from now on
    bool listComplete = true;
};

class BagCache : public ::testing::Test {
protected:
    sysapicpp::IdList ids() {
        sysapicpp::IdList out;
        cache.listIDs(out);
        return out;
    }
    DeviceSource source;
    sysapicpp::PropertyBagCache cache{source};
};

}  // namespace

TEST_F(BagCache, FirstRefreshListsEveryDeviceOnce) {
    source.shown = {"{B}", "{A}"};
    cache.refresh();
    cache.refresh();
    EXPECT_EQ(1, source.listCalls);
    ASSERT_EQ(1u, source.requests.size());
    EXPECT_EQ((sysapicpp::IdList{"{A}", "{B}"}), ids());
    sysapicpp::BagList bags;
    cache.listBags(bags);
    ASSERT_EQ(2u, bags.size());
    EXPECT_EQ(L"{A}", bags[0].getString(kSvSysTagDeviceID));
}

TEST_F(BagCache, OnlyAnnouncedDevicesAreBuilt) {
    source.shown = {"{A}"};
    cache.refresh();
    const uint32_t before = cache.getBag("{A}").getU32(1);
    source.shown = {"{A}", "{B}"};
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{A}"}), ids());  // nothing announced: nothing rebuilt or added

    cache.addPending({"{B}", "{X}"});
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{B}", "{X}"}), source.requests.back());
    EXPECT_EQ((sysapicpp::IdList{"{A}", "{B}"}), ids());  // {X} is not supported: no bag
    EXPECT_EQ(before, cache.getBag("{A}").getU32(1));
}

TEST_F(BagCache, ChangedDeviceGetsAFreshBag) {
    source.shown = {"{A}", "{B}"};
    cache.refresh();
    const uint32_t before = cache.getBag("{A}").getU32(1);
    const uint32_t other = cache.getBag("{B}").getU32(1);
    cache.markChanged("{A}");
    cache.refresh();
    EXPECT_NE(before, cache.getBag("{A}").getU32(1));
    EXPECT_EQ(other, cache.getBag("{B}").getU32(1));

    // A changed device that is no longer supported loses its bag.
    source.shown = {"{B}"};
    cache.markChanged(sysapicpp::IdList{"{A}"});
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{B}"}), ids());
}

TEST_F(BagCache, AnAddedDeviceAlreadyCachedKeepsItsBag) {
    source.shown = {"{A}"};
    cache.refresh();
    const uint32_t before = cache.getBag("{A}").getU32(1);
    cache.addPending({"{A}"});
    cache.refresh();
    EXPECT_EQ(before, cache.getBag("{A}").getU32(1));
}

TEST_F(BagCache, RemoveAndMissingIds) {
    source.shown = {"{A}", "{B}"};
    cache.refresh();
    cache.remove({"{A}", "{Z}"});
    EXPECT_EQ((sysapicpp::IdList{"{B}"}), ids());
    EXPECT_FALSE(cache.contains("{A}"));
    try {
        cache.getBag("{A}");
        FAIL() << "a missing ID must throw";
    } catch (const sysapicpp::ItemNotExistException& error) {
        EXPECT_EQ(SVSYS_E_ITEM_NOT_EXIST, error.hresult());
    }
}

TEST_F(BagCache, AFailedBuildIsRetriedByTheNextRefresh) {
    source.shown = {"{A}"};
    source.failNext = true;
    EXPECT_THROW(cache.refresh(), sysapicpp::HResultException);
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{A}"}), ids());

    cache.markChanged("{A}");
    source.failNext = true;
    EXPECT_THROW(cache.refresh(), sysapicpp::HResultException);
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{A}"}), ids());
}

// However often building fails, and however often a device is asked for again meanwhile (as
// the host's RefreshPropertyBag does), every device comes back once building works: the changed
// one with a fresh bag, the one announced during the failures at all.
TEST(BagCacheFailures, RepeatedFailedBuildsLoseNoDevice) {
    for (int failures : {1, 2, 5}) {
        SCOPED_TRACE(failures);
        DeviceSource source;
        sysapicpp::PropertyBagCache cache{source};
        source.shown = {"{A}", "{B}"};
        cache.refresh();
        const uint32_t before = cache.getBag("{A}").getU32(1);
        source.shown = {"{A}", "{B}", "{C}"};
        cache.addPending({"{C}"});
        source.failures = failures;
        for (int i = 0; i < failures; ++i) {
            cache.markChanged("{A}");
            EXPECT_THROW(cache.refresh(), sysapicpp::HResultException);
        }
        cache.refresh();
        sysapicpp::IdList listed;
        cache.listIDs(listed);
        EXPECT_EQ((sysapicpp::IdList{"{A}", "{B}", "{C}"}), listed);
        EXPECT_NE(before, cache.getBag("{A}").getU32(1));
        // Each device was asked for once per build, however often it was announced.
        EXPECT_EQ((sysapicpp::IdList{"{C}", "{A}"}), source.requests.back());
    }
}

TEST_F(BagCache, AFailedAnnouncementOfAnUncachedDeviceIsNotRepeated) {
    source.shown = {"{A}"};
    cache.refresh();
    cache.markChanged("{bad}");
    source.failNext = true;
    EXPECT_THROW(cache.refresh(), sysapicpp::HResultException);
    const size_t requests = source.requests.size();
    cache.refresh();
    EXPECT_EQ(requests, source.requests.size());
    EXPECT_EQ((sysapicpp::IdList{"{A}"}), ids());
}

// A listing the storage could not complete shows what it found and is done again at the next
// refresh, until one completes.
TEST_F(BagCache, AnIncompleteListingIsRepeatedUntilItCompletes) {
    source.shown = {"{A}"};
    source.listComplete = false;
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{A}"}), ids());
    source.shown = {"{A}", "{B}"};
    source.listComplete = true;
    cache.refresh();
    EXPECT_EQ((sysapicpp::IdList{"{A}", "{B}"}), ids());
    cache.refresh();
    EXPECT_EQ(2, source.listCalls);
}
