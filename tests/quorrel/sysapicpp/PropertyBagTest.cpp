#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/ComTestSupport.h"
#include "explorer/SvsResults.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"

using namespace quorreltest;

namespace {

class PropertyBag : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, sysapicpp::createPropertyBag(bag.out())); }
    std::vector<ULONG> modified() {
        ComPtr<IsvSysEnumPropertyTag> tags;
        const HRESULT hr = bag->GetModifiedTags(tags.out());
        if (hr == S_FALSE) {
            EXPECT_EQ(nullptr, tags.get());
            return {};
        }
        EXPECT_EQ(S_OK, hr);
        return drain(tags.get());
    }
    ComPtr<IsvSysPropertyBag4> bag;
};

constexpr GUID kSomeGuid = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

}  // namespace

TEST_F(PropertyBag, EveryTypeRoundTripsWithItsTypeCode) {
    const svSysAttrTimestampUTC stamp{1700000000, 42};
    ASSERT_EQ(S_OK, bag->SetBool(1, 5));
    ASSERT_EQ(S_OK, bag->SetI32(2, -7));
    ASSERT_EQ(S_OK, bag->SetU32(3, 0xFFFFFFF0u));
    ASSERT_EQ(S_OK, bag->SetDouble(4, 2.5));
    ASSERT_EQ(S_OK, bag->SetGuid(5, &kSomeGuid));
    ASSERT_EQ(S_OK, bag->SetString(6, L"h\u00e9llo"));
    ASSERT_EQ(S_OK, bag->SetTimestamp(7, &stamp));

    BOOL b = 0;
    LONG i = 0;
    ULONG u = 0;
    double d = 0;
    GUID g{};
    BstrHolder s;
    svSysAttrTimestampUTC t{};
    EXPECT_EQ(S_OK, bag->GetBool(1, &b));
    EXPECT_EQ(TRUE, b);
    EXPECT_EQ(S_OK, bag->GetI32(2, &i));
    EXPECT_EQ(-7, i);
    EXPECT_EQ(S_OK, bag->GetU32(3, &u));
    EXPECT_EQ(0xFFFFFFF0u, u);
    EXPECT_EQ(S_OK, bag->GetDouble(4, &d));
    EXPECT_EQ(2.5, d);
    EXPECT_EQ(S_OK, bag->GetGuid(5, &g));
    EXPECT_TRUE(g == kSomeGuid);
    EXPECT_EQ(S_OK, bag->GetString(6, s.out()));
    EXPECT_EQ(L"h\u00e9llo", s.str());
    EXPECT_EQ(S_OK, bag->GetTimestamp(7, &t));
    EXPECT_EQ(stamp.seconds, t.seconds);
    EXPECT_EQ(stamp.fraction, t.fraction);

    for (ULONG tag = 1; tag <= 7; ++tag) {
        ULONG code = 0;
        EXPECT_EQ(S_OK, bag->GetType(tag, &code));
        EXPECT_EQ(tag, code);
    }
}

TEST_F(PropertyBag, TypeMismatchLeavesTheValue) {
    ASSERT_EQ(S_OK, bag->SetBool(5, TRUE));
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, bag->SetU32(5, 3));
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, bag->SetString(5, L"x"));
    ULONG u = 0;
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, bag->GetU32(5, &u));
    BstrHolder s;
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, bag->GetString(5, s.out()));
    EXPECT_EQ(nullptr, s.get());
    BOOL b = FALSE;
    EXPECT_EQ(S_OK, bag->GetBool(5, &b));
    EXPECT_EQ(TRUE, b);
    ULONG code = 0;
    EXPECT_EQ(S_OK, bag->GetType(5, &code));
    EXPECT_EQ(static_cast<ULONG>(kSvSysPropertyTypeBool), code);
}

TEST_F(PropertyBag, AbsentTagsAndMissingPointers) {
    LONG i = 0;
    ULONG code = 0;
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->GetI32(9, &i));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->GetType(9, &code));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->Remove(9));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->MarkModified(9));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->ClearModifiedTag(9, nullptr));
    EXPECT_EQ(S_FALSE, bag->HasTag(9));
    EXPECT_EQ(E_POINTER, bag->GetI32(9, nullptr));
    EXPECT_EQ(E_POINTER, bag->SetGuid(1, nullptr));
    EXPECT_EQ(E_NOTIMPL, bag->SetBlob(1, 0, nullptr));
    ComPtr<IsvSysEnumPropertyTag> tags;
    EXPECT_EQ(S_FALSE, bag->GetAllTags(tags.out()));
    EXPECT_EQ(nullptr, tags.get());
    EXPECT_EQ(E_POINTER, bag->GetAllTags(nullptr));
    EXPECT_EQ(E_POINTER, bag->GetModifiedTags(nullptr));
}

TEST_F(PropertyBag, ModifiedSetFollowsWritesAndResets) {
    ASSERT_EQ(S_OK, bag->SetU32(30, 1));
    ASSERT_EQ(S_OK, bag->SetI32(10, 1));
    ASSERT_EQ(S_OK, bag->SetString(20, nullptr));
    EXPECT_EQ((std::vector<ULONG>{10, 20, 30}), modified());
    EXPECT_EQ(S_OK, bag->ClearModified());
    EXPECT_EQ(S_FALSE, bag->ClearModified());
    EXPECT_TRUE(modified().empty());

    ASSERT_EQ(S_OK, bag->SetU32(30, 2));
    ASSERT_EQ(S_OK, bag->MarkModified(10));
    BOOL anyLeft = FALSE;
    EXPECT_EQ(S_OK, bag->ClearModifiedTag(30, &anyLeft));
    EXPECT_EQ(TRUE, anyLeft);
    EXPECT_EQ(S_FALSE, bag->ClearModifiedTag(20, &anyLeft));
    EXPECT_EQ(S_OK, bag->ClearModifiedTag(10, &anyLeft));
    EXPECT_EQ(FALSE, anyLeft);

    ASSERT_EQ(S_OK, bag->SetU32(30, 3));
    ASSERT_EQ(S_OK, bag->Remove(30));
    EXPECT_TRUE(modified().empty());
    EXPECT_EQ(S_OK, bag->RemoveAll());
    ComPtr<IsvSysEnumPropertyTag> all;
    EXPECT_EQ(S_FALSE, bag->GetAllTags(all.out()));
}

TEST_F(PropertyBag, AllTagsAscending) {
    ASSERT_EQ(S_OK, bag->SetBool(0x10003000, TRUE));
    ASSERT_EQ(S_OK, bag->SetBool(0x01001000, TRUE));
    ASSERT_EQ(S_OK, bag->SetBool(0x0101D000, TRUE));
    ComPtr<IsvSysEnumPropertyTag> all;
    ASSERT_EQ(S_OK, bag->GetAllTags(all.out()));
    EXPECT_EQ((std::vector<ULONG>{0x01001000, 0x0101D000, 0x10003000}), drain(all.get()));
}

TEST_F(PropertyBag, CloneCopiesValuesWithEmptyModifiedSet) {
    ASSERT_EQ(S_OK, bag->SetString(1, L"text"));
    ASSERT_EQ(S_OK, bag->SetGuid(2, &kSomeGuid));
    ComPtr<IsvSysPropertyBag> copy;
    ASSERT_EQ(S_OK, bag->Clone(copy.out()));
    ASSERT_EQ(S_OK, bag->SetString(1, L"changed"));
    BstrHolder s;
    EXPECT_EQ(S_OK, copy->GetString(1, s.out()));
    EXPECT_EQ(L"text", s.str());
    ComPtr<IsvSysPropertyBag2> copy2;
    ASSERT_EQ(S_OK, copy->QueryInterface(IID_IsvSysPropertyBag2, copy2.outVoid()));
    EXPECT_EQ(S_FALSE, copy2->ClearModified());
    EXPECT_EQ(E_POINTER, bag->Clone(nullptr));
}

TEST_F(PropertyBag, TimestampFieldsInLocalTime) {
    const svSysAttrTimestampUTC zero{0, 0};
    ASSERT_EQ(S_OK, bag->SetTimestamp(1, &zero));
    ULONG f[6] = {};
    EXPECT_EQ(S_OK, bag->GetTimestampFields(1, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]));
    for (ULONG field : f) EXPECT_EQ(0xFFFFFFFFu, field);

    // Mid-year noon UTC: the local date is the same day in every zone within twelve hours.
    const svSysAttrTimestampUTC noon{1718539200, 0};  // 2024-06-16 12:00:00 UTC
    ASSERT_EQ(S_OK, bag->SetTimestamp(1, &noon));
    EXPECT_EQ(S_OK, bag->GetTimestampFields(1, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]));
    EXPECT_EQ(2024u, f[0]);
    EXPECT_EQ(6u, f[1]);
    EXPECT_EQ(16u, f[2]);
    EXPECT_EQ(0u, f[5]);
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, bag->GetTimestampFields(2, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]));
    ASSERT_EQ(S_OK, bag->SetBool(3, TRUE));
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, bag->GetTimestampFields(3, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]));
}

TEST_F(PropertyBag, LockIsHeldAcrossCallsUntilUnlocked) {
    EXPECT_EQ(E_FAIL, bag->Unlock());
    ASSERT_EQ(S_OK, bag->Lock());
    ASSERT_EQ(S_OK, bag->Lock());
    // The holder's own calls do not block.
    ASSERT_EQ(S_OK, bag->SetU32(1, 1));

    std::atomic<bool> written{false};
    std::thread writer([&] {
        bag->SetU32(1, 2);
        written = true;
    });
    EXPECT_EQ(S_OK, bag->Unlock());
    ULONG value = 0;
    ASSERT_EQ(S_OK, bag->GetU32(1, &value));
    EXPECT_EQ(1u, value);  // still held once: the writer waits
    EXPECT_FALSE(written.load());
    EXPECT_EQ(S_OK, bag->Unlock());
    writer.join();
    ASSERT_EQ(S_OK, bag->GetU32(1, &value));
    EXPECT_EQ(2u, value);
    EXPECT_EQ(E_FAIL, bag->Unlock());
}

// An unlock by a thread that does not hold the bag is refused at once; were it to wait for the
// holder, which waits for it here, both would hang.
TEST_F(PropertyBag, UnlockByAThreadThatDoesNotHoldTheBagFailsWithoutWaiting) {
    ASSERT_EQ(S_OK, bag->Lock());
    HRESULT strangerResult = S_OK;
    std::thread stranger([&] { strangerResult = bag->Unlock(); });
    stranger.join();
    EXPECT_EQ(E_FAIL, strangerResult);
    ULONG value = 0;
    ASSERT_EQ(S_OK, bag->SetU32(1, 7));
    ASSERT_EQ(S_OK, bag->GetU32(1, &value));
    EXPECT_EQ(7u, value);
    EXPECT_EQ(S_OK, bag->Unlock());
    EXPECT_EQ(E_FAIL, bag->Unlock());
}
