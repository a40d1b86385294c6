// The storage stand-in with its built-in content (ORV_STORAGE_FILE unset).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "StorageTestSupport.h"
#include "storage/StorageStatus.h"

namespace {

using namespace simtest;

const char* const kPxi = "{D1A50001-0C2E-4B7A-8E11-5A0000000001}";
const char* const kUsb = "{D1A50003-0C2E-4B7A-8E11-5A0000000003}";
const char* const kSimulated = "{D1A50004-0C2E-4B7A-8E11-5A0000000004}";
const char* const kNewDevice = "{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}";
const char* const kHsdrClass = "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}";

std::string newDevice(const char* alias) {
    return std::string("{\"id\": \"") + kNewDevice + "\", \"class\": \"" + kHsdrClass +
           "\", \"properties\": {\"9553\": \"" + alias + "\", \"1585\": \"HSDR-5162\", \"8998\": 12582}}";
}

struct Event {
    int32_t kind;
    std::string id;
    bool operator==(const Event& other) const { return kind == other.kind && id == other.id; }
};

void record(void* context, int32_t event, const tSSRawGUID* id) {
    static_cast<std::vector<Event>*>(context)->push_back(Event{event, id ? text(*id) : ""});
}

class Storage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SimStorage_load(nullptr), 0);
        SimStorage_clearFailures();
    }
    void TearDown() override {
        SimStorage_clearFailures();
        SimStorage_load(nullptr);
        EXPECT_EQ(SimStorage_getOpenSessionCount(), 0u);
        EXPECT_EQ(SimStorage_getOpenReaderCount(), 0u);
    }
};

TEST_F(Storage, BuiltInSetHoldsShownAndHiddenDigitizers) {
    EXPECT_EQ(deviceIDs().size(), 11u);  // one more object belongs to another storage class
    std::vector<std::string> expected = {kPxi, "{D1A50002-0C2E-4B7A-8E11-5A0000000002}", kUsb, kSimulated,
                                         "{D1A50005-0C2E-4B7A-8E11-5A0000000005}"};
    EXPECT_EQ(selectedDevices(), expected);
}

TEST_F(Storage, DevicePropertiesAndAttributes) {
    ReadScope scope;
    LastText alias;
    nORVDPAI100::getObjectStringProperty(scope.reader(), guid(kPxi), 9553, alias, scope.status);
    EXPECT_EQ(alias.text, L"Digiscan1");
    EXPECT_EQ(nORVDPAI100::getObjectI32Property(scope.reader(), guid(kPxi), 8998, scope.status), 12582);
    EXPECT_EQ(nORVDPAI100::getDeviceAttributeU32(L"", guid(kPxi), 9000, scope.status), 4u);
    EXPECT_EQ(nORVDPAI100::getObjectI32Property(scope.reader(), guid(kUsb), 8998, scope.status), 12586);
    EXPECT_EQ(nORVDPAI100::getDeviceAttributeU32(L"", guid(kUsb), 12117, scope.status), 305419896u);
    EXPECT_EQ(nORVDPAI100::isObjectSimulated(scope.reader(), guid(kSimulated), scope.status), 1u);
    EXPECT_EQ(nORVDPAI100::isObjectSimulated(scope.reader(), guid(kPxi), scope.status), 0u);
    EXPECT_EQ(scope.status.getCode(), 0);
}

TEST_F(Storage, InvalidStateGivesItsReason) {
    ReadScope scope;
    tStatus2 reason;
    EXPECT_EQ(nORVDPAI100::isObjectInInvalidState(scope.reader(), guid("{D1A50009-0C2E-4B7A-8E11-5A0000000009}"),
                                                  reason, scope.status),
              1u);
    EXPECT_EQ(reason.getCode(), nORVDPAI100::kStatusObjectInvalid);
    EXPECT_EQ(scope.status.getCode(), 0);
}

TEST_F(Storage, MissingOrMistypedValuesFailTheStatus) {
    ReadScope scope;
    LastText adder;
    tStatus2 status;
    nORVDPAI100::getObjectStringProperty(scope.reader(), guid(kPxi), 8998, adder, status);
    EXPECT_EQ(status.getCode(), nORVDPAI100::kStatusAttributeWrongType);
    EXPECT_STREQ(status.getComponent(), "orvqtxfu");
    tStatus2 missing;
    EXPECT_EQ(nORVDPAI100::getDeviceAttributeU32(L"", guid(kUsb), 8999, missing), 0u);
    EXPECT_EQ(missing.getCode(), nORVDPAI100::kStatusAttributeNotFound);
    tStatus2 noClass;
    EXPECT_EQ(nORVDPAI100::getSDCClassAttributeBool(L"", guid(kPxi), 12426, noClass), 0u);
    EXPECT_EQ(noClass.getCode(), nORVDPAI100::kStatusClassNotFound);
    tStatus2 noObject;
    nORVDPAI100::isObjectSimulated(scope.reader(), guid(kNewDevice), noObject);
    EXPECT_EQ(noObject.getCode(), nORVDPAI100::kStatusObjectNotFound);
    tStatus2 noReader;
    nORVDPAI100::isObjectSimulated(nullptr, guid(kPxi), noReader);
    EXPECT_EQ(noReader.getCode(), nORVDPAI100::kStatusInvalidArgument);
    EXPECT_EQ(adder.calls, 0);
}

TEST_F(Storage, NothingRunsOnAnEarlierError) {
    ReadScope scope;
    tStatus2 status(-7);
    LastText adder;
    nORVDPAI100::getObjectStringProperty(scope.reader(), guid(kPxi), 9553, adder, status);
    EXPECT_EQ(nORVDPAI100::getDeviceAttributeU32(L"", guid(kPxi), 9000, status), 0u);
    EXPECT_EQ(nORVDPAI100::beginReadOperation(nullptr, status), nullptr);
    EXPECT_EQ(status.getCode(), -7);
    EXPECT_EQ(adder.calls, 0);
    // Ending and releasing still run, so nothing leaks on failure paths (checked in TearDown).
}

TEST_F(Storage, InjectedFailuresHitTheNamedFunctionOnly) {
    SimStorage_setFailure("getObjectStringProperty", -50999);
    {
        ReadScope scope;
        LastText adder;
        nORVDPAI100::getObjectStringProperty(scope.reader(), guid(kPxi), 9553, adder, scope.status);
        EXPECT_EQ(scope.status.getCode(), -50999);
        tStatus2 other;
        EXPECT_EQ(nORVDPAI100::getObjectI32Property(scope.reader(), guid(kPxi), 8998, other), 12582);
    }
    SimStorage_setFailure("getSession", -50998);
    tStatus2 status;
    EXPECT_EQ(nORVDPAI100::getSession(L"", status), nullptr);
    EXPECT_EQ(status.getCode(), -50998);
    SimStorage_clearFailures();
    EXPECT_EQ(deviceIDs().size(), 11u);
}

TEST_F(Storage, ReadOperationKeepsItsView) {
    ReadScope before;
    ASSERT_EQ(SimStorage_removeObject(kPxi), 0);
    tStatus2 status;
    EXPECT_EQ(nORVDPAI100::getObjectI32Property(before.reader(), guid(kPxi), 8998, status), 12582);
    EXPECT_EQ(status.getCode(), 0);
    ReadScope after;
    nORVDPAI100::getObjectI32Property(after.reader(), guid(kPxi), 8998, after.status);
    EXPECT_EQ(after.status.getCode(), nORVDPAI100::kStatusObjectNotFound);
}

TEST_F(Storage, ChangesReachSubscribersAsBatches) {
    std::vector<Event> events;
    uint32_t cookie = SimStorage_subscribe(&record, &events);
    ASSERT_NE(cookie, 0u);
    ASSERT_EQ(SimStorage_addObject(newDevice("Added").c_str()), 0);
    ASSERT_EQ(SimStorage_modifyObject(newDevice("Renamed").c_str()), 0);
    ASSERT_EQ(SimStorage_removeObject(kNewDevice), 0);
    std::vector<Event> expected = {
        {SimStorage_kEventBatchBegin, ""}, {SimStorage_kEventAdded, kNewDevice},   {SimStorage_kEventBatchEnd, ""},
        {SimStorage_kEventBatchBegin, ""}, {SimStorage_kEventChanged, kNewDevice}, {SimStorage_kEventBatchEnd, ""},
        {SimStorage_kEventBatchBegin, ""}, {SimStorage_kEventRemoved, kNewDevice}, {SimStorage_kEventBatchEnd, ""}};
    EXPECT_EQ(events, expected);

    events.clear();
    SimStorage_beginBatch();
    SimStorage_addObject(newDevice("Nested").c_str());
    SimStorage_endBatch();
    SimStorage_endBatch();  // unmatched: ignored
    expected = {{SimStorage_kEventBatchBegin, ""}, {SimStorage_kEventBatchBegin, ""},
                {SimStorage_kEventAdded, kNewDevice}, {SimStorage_kEventBatchEnd, ""}, {SimStorage_kEventBatchEnd, ""}};
    EXPECT_EQ(events, expected);

    SimStorage_unsubscribe(cookie);
    events.clear();
    SimStorage_removeObject(kNewDevice);
    EXPECT_TRUE(events.empty());
}

TEST_F(Storage, RefusedChangesLeaveTheContentAndSayNothing) {
    std::vector<Event> events;
    uint32_t cookie = SimStorage_subscribe(&record, &events);
    EXPECT_EQ(SimStorage_addObject(newDevice("x").replace(2, 1, "X").c_str()), nORVDPAI100::kStatusInvalidArgument);
    EXPECT_EQ(SimStorage_modifyObject(newDevice("x").c_str()), nORVDPAI100::kStatusObjectNotFound);
    EXPECT_EQ(SimStorage_removeObject("not a guid"), nORVDPAI100::kStatusInvalidArgument);
    std::string duplicate = newDevice("x");
    duplicate.replace(duplicate.find(kNewDevice), std::string(kNewDevice).size(), kPxi);
    EXPECT_EQ(SimStorage_addObject(duplicate.c_str()), nORVDPAI100::kStatusInvalidArgument);
    EXPECT_EQ(SimStorage_load("{\"objects\": [}"), nORVDPAI100::kStatusStorageUnreadable);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(deviceIDs().size(), 11u);
    SimStorage_unsubscribe(cookie);
}

TEST_F(Storage, NewClassMakesItsDevicesSelectable) {
    ASSERT_EQ(SimStorage_putClass("{\"id\": \"{5C1A00AA-7E2B-4D3C-9F10-0A1B2C3D4EAA}\", "
                                  "\"attributes\": {\"10817\": \"Next HSDR\", \"12426\": true}}"),
              0);
    std::string device = newDevice("Next");
    device.replace(device.find(kHsdrClass), std::string(kHsdrClass).size(), "{5C1A00AA-7E2B-4D3C-9F10-0A1B2C3D4EAA}");
    ASSERT_EQ(SimStorage_addObject(device.c_str()), 0);
    EXPECT_TRUE(selectedByExpertRule(guid(kNewDevice)));
    EXPECT_EQ(selectedDevices().size(), 6u);
}

TEST_F(Storage, ListsObjectIDsAsText) {
    uint32_t needed = SimStorage_listObjects(9001, nullptr, 0);
    std::string list(needed, '\0');
    SimStorage_listObjects(9001, &list[0], needed);
    list.resize(needed - 1);
    EXPECT_EQ(list, "{D1A5000B-0C2E-4B7A-8E11-5A000000000B}");
    EXPECT_EQ(SimStorage_listObjects(4242, nullptr, 0), 1u);
}

// Description texts are decoded as the platform decodes UTF-8: each malformed sequence, overlong
// form or encoded surrogate is one U+FFFD, so an overlong NUL cannot cut a text short.
TEST_F(Storage, DescriptionTextsDecodeMalformedUtf8AsThePlatformDoes) {
    struct Row {
        const char* name;
        const char* utf8;
        const wchar_t* wide;
    };
    const Row rows[] = {
        {"Valid", "a\xC3\xA4\xF0\x9F\x98\x80", L"a\u00E4\U0001F600"},
        {"OverlongNul", "a\xC0\x80" "b", L"a\uFFFDb"},
        {"EncodedSurrogate", "a\xED\xA0\x80" "b", L"a\uFFFDb"},
        {"TruncatedSequence", "a\xE2\x82" "b", L"a\uFFFDb"},
        {"PastTheLastScalar", "a\xF4\x90\x80\x80" "b", L"a\uFFFDb"},
        {"StrayContinuation", "a\x80" "b", L"a\uFFFDb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimStorage_removeObject(kNewDevice);
        ASSERT_EQ(SimStorage_addObject(newDevice(row.utf8).c_str()), 0);
        ReadScope scope;
        LastText alias;
        nORVDPAI100::getObjectStringProperty(scope.reader(), guid(kNewDevice), 9553, alias, scope.status);
        EXPECT_EQ(alias.text, row.wide);
    }
}

void countEvents(void* context, int32_t, const tSSRawGUID*) { ++*static_cast<std::atomic<int>*>(context); }

TEST_F(Storage, ReadersAndChangesRunConcurrently) {
    std::atomic<int> events{0};
    uint32_t cookie = SimStorage_subscribe(&countEvents, &events);
    std::thread changer([] {
        for (int i = 0; i < 200; ++i) {
            SimStorage_addObject(newDevice("Flicker").c_str());
            SimStorage_removeObject(kNewDevice);
        }
    });
    std::thread subscriber([] {
        std::atomic<int> ignored{0};
        for (int i = 0; i < 200; ++i) SimStorage_unsubscribe(SimStorage_subscribe(&countEvents, &ignored));
    });
    for (int i = 0; i < 200; ++i) {
        size_t count = deviceIDs().size();
        EXPECT_TRUE(count == 11u || count == 12u) << count;
    }
    changer.join();
    subscriber.join();
    SimStorage_unsubscribe(cookie);
    EXPECT_EQ(events.load(), 200 * 2 * 3);
    EXPECT_EQ(deviceIDs().size(), 11u);
}

}  // namespace

namespace {

// The stand-in indexes its objects by ID: many added (the index grows several times), some removed
// from the middle, and every remaining one still read by its ID.
TEST_F(Storage, ManyObjectsStayFoundByIdAfterRemovals) {
    auto idOf = [](int i) {
        char id[40];
        std::snprintf(id, sizeof id, "{D1A5%04X-0C2E-4B7A-8E11-5A00000000EE}", static_cast<unsigned>(0x1000 + i));
        return std::string(id);
    };
    const int count = 300;
    for (int i = 0; i < count; ++i) {
        const std::string object = "{\"id\": \"" + idOf(i) + "\", \"class\": \"" + kHsdrClass +
                                   "\", \"properties\": {\"8998\": " + std::to_string(i) + "}}";
        ASSERT_EQ(SimStorage_addObject(object.c_str()), 0) << i;
    }
    for (int i = 0; i < count; i += 7) ASSERT_EQ(SimStorage_removeObject(idOf(i).c_str()), 0) << i;
    ReadScope read;
    for (int i = 0; i < count; ++i) {
        nORVMDBG100::tStatus2 status;
        const auto busKind = nORVDPAI100::getObjectI32Property(read.reader(), guid(idOf(i).c_str()), 8998, status);
        if (i % 7 == 0) {
            EXPECT_EQ(status.getCode(), nORVDPAI100::kStatusObjectNotFound) << i;
        } else {
            EXPECT_EQ(busKind, i) << i;
        }
    }
}

}  // namespace
