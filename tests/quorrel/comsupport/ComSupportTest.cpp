#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/ComTestSupport.h"
#include "palu/SimTrace.h"
#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/comsupport/EnumOnSTL.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Enumerators.h"

using namespace quorreltest;

namespace {

ComPtr<IsvSysEnumStringList> strings(const std::vector<std::wstring>& items) {
    ComPtr<IsvSysEnumStringList> list;
    EXPECT_EQ(S_OK, sysapicpp::createStringEnumerator(items, list.out()));
    return list;
}

}  // namespace

TEST(ComObject, BagAnswersItsInterfacesAndCountsReferences) {
    ComPtr<IsvSysPropertyBag4> bag;
    ASSERT_EQ(S_OK, sysapicpp::createPropertyBag(bag.out()));
    EXPECT_EQ(1u, referenceCount(bag.get()));

    for (const IID* iid : {&IID_IUnknown, &IID_IsvSysPropertyBag, &IID_IsvSysPropertyBag2, &IID_IsvSysPropertyBag3,
                           &IID_IsvSysPropertyBag4}) {
        void* answer = nullptr;
        ASSERT_EQ(S_OK, bag->QueryInterface(*iid, &answer));
        // One table: every interface is the same object pointer.
        EXPECT_EQ(static_cast<void*>(static_cast<IUnknown*>(bag.get())), answer);
        EXPECT_EQ(2u, referenceCount(bag.get()));
        static_cast<IUnknown*>(answer)->Release();
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, bag->QueryInterface(IID_IsvSysExpert, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(E_POINTER, bag->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(1u, referenceCount(bag.get()));
}

TEST(ComObject, CreatedObjectStartsWithTheCreatorsOneReference) {
    ComPtr<sysapicpp::CsvDynamicPropertyBag> bag;
    ASSERT_EQ(S_OK, sysapicpp::CsvDynamicPropertyBag::createInstance(bag));
    EXPECT_EQ(1u, bag->referenceCount());
    ComPtr<IsvSysPropertyBag4> shared(bag.get());
    EXPECT_EQ(2u, bag->referenceCount());
    shared.reset();
    EXPECT_EQ(1u, bag->referenceCount());
}

namespace {
void collectLine(void* lines, const char* line) { static_cast<std::vector<std::string>*>(lines)->push_back(line); }
}  // namespace

TEST(ComObject, UnknownInterfaceIsTracedOncePerObjectKind) {
    const IID unknown = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
    std::vector<std::string> lines;
    SimTrace_setEnabled(1);
    SimTrace_setLineCallback(&collectLine, &lines);
    for (int round = 0; round < 2; ++round) {
        ComPtr<IsvSysPropertyBag4> bag;
        ASSERT_EQ(S_OK, sysapicpp::createPropertyBag(bag.out()));
        ComPtr<IsvSysEnumStringList> list = strings({L"a"});
        for (int ask = 0; ask < 3; ++ask) {
            ComPtr<IUnknown> none;
            EXPECT_EQ(E_NOINTERFACE, bag->QueryInterface(unknown, none.outVoid()));
            EXPECT_EQ(E_NOINTERFACE, list->QueryInterface(unknown, none.outVoid()));
        }
    }
    SimTrace_setLineCallback(nullptr, nullptr);
    SimTrace_setEnabled(-1);
    const auto named = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("{0BADF00D-1234-5678-9ABC-DEF012345678}") != std::string::npos;
    });
    // The bag and the enumerator are two kinds of object: one line each, however often asked.
    EXPECT_EQ(2, named);
}

TEST(ComObject, ReferenceCountIsAtomicAcrossThreads) {
    ComPtr<IsvSysPropertyBag4> bag;
    ASSERT_EQ(S_OK, sysapicpp::createPropertyBag(bag.out()));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                bag->AddRef();
                bag->Release();
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(1u, referenceCount(bag.get()));
}

TEST(CorvCS, IsRecursiveAndRefusesReleaseByAnotherThread) {
    Kitbase::CorvCS cs;
    EXPECT_FALSE(cs.unlock());
    ASSERT_TRUE(cs.lock());
    ASSERT_TRUE(cs.lock());
    bool otherLocked = true;
    bool otherUnlocked = true;
    std::thread other([&] {
        otherLocked = cs.lock(20);
        otherUnlocked = cs.unlock();
    });
    other.join();
    EXPECT_FALSE(otherLocked);
    EXPECT_FALSE(otherUnlocked);
    EXPECT_TRUE(cs.unlock());
    EXPECT_TRUE(cs.heldByCurrentThread());
    EXPECT_TRUE(cs.unlock());
    EXPECT_FALSE(cs.heldByCurrentThread());
}

TEST(StringEnumerator, NextSkipResetAndShortReads) {
    ComPtr<IsvSysEnumStringList> list = strings({L"a", L"b"});
    BSTR items[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(S_FALSE, list->Next(3, items, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_EQ(std::wstring(L"a"), items[0]);
    EXPECT_EQ(std::wstring(L"b"), items[1]);
    EXPECT_EQ(1u, SysStringLen(items[1]));
    SysFreeString(items[0]);
    SysFreeString(items[1]);

    EXPECT_EQ(S_FALSE, list->Next(1, items, &fetched));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(S_OK, list->Reset());
    EXPECT_EQ(S_OK, list->Skip(0));
    EXPECT_EQ(S_OK, list->Skip(1));
    EXPECT_EQ(S_FALSE, list->Skip(2));
    EXPECT_EQ(S_OK, list->Reset());
    // A single item may be asked for without a fetched count.
    EXPECT_EQ(S_OK, list->Next(1, items, nullptr));
    EXPECT_EQ(std::wstring(L"a"), items[0]);
    SysFreeString(items[0]);
}

TEST(StringEnumerator, RejectsMissingPointers) {
    ComPtr<IsvSysEnumStringList> list = strings({L"a", L"b"});
    BSTR items[2] = {};
    EXPECT_EQ(E_POINTER, list->Next(1, nullptr, nullptr));
    EXPECT_EQ(E_POINTER, list->Next(2, items, nullptr));
    EXPECT_EQ(E_POINTER, list->Clone(nullptr));
    EXPECT_EQ(E_POINTER, sysapicpp::createStringEnumerator({}, nullptr));
    ComPtr<IsvSysEnumStringList> empty = strings({});
    ULONG fetched = 7;
    EXPECT_EQ(S_FALSE, empty->Next(2, items, &fetched));
    EXPECT_EQ(0u, fetched);
}

TEST(StringEnumerator, CloneKeepsPositionAndOutlivesTheOriginal) {
    ComPtr<IsvSysEnumStringList> list = strings({L"one", L"two", L"three"});
    ASSERT_EQ(S_OK, list->Skip(1));
    ComPtr<IsvSysEnumStringList> copy;
    ASSERT_EQ(S_OK, list->Clone(copy.out()));
    list.reset();
    EXPECT_EQ((std::vector<std::wstring>{L"two", L"three"}), drain(copy.get()));
    ASSERT_EQ(S_OK, copy->Reset());
    EXPECT_EQ(3u, drain(copy.get()).size());
}

TEST(TagEnumerator, CopiesInAscendingOrder) {
    ComPtr<IsvSysEnumPropertyTag> tags;
    ASSERT_EQ(S_OK, sysapicpp::createTagEnumerator({30, 10, 20}, tags.out()));
    ULONG items[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, tags->Next(2, items, &fetched));
    EXPECT_EQ(2u, fetched);
    EXPECT_EQ(10u, items[0]);
    EXPECT_EQ(20u, items[1]);
    ComPtr<IsvSysEnumPropertyTag> copy;
    ASSERT_EQ(S_OK, tags->Clone(copy.out()));
    EXPECT_EQ(S_FALSE, tags->Next(4, items, &fetched));
    EXPECT_EQ(1u, fetched);
    EXPECT_EQ(30u, items[0]);
    EXPECT_EQ(std::vector<ULONG>{30}, drain(copy.get()));
}

namespace {

// Hands out items until the budget runs out, counting what was freed.
struct BudgetCopy {
    static int budget;
    static int destroyed;
    static bool copy(ULONG& out, const ULONG& item) noexcept {
        if (budget-- <= 0) return false;
        out = item;
        return true;
    }
    static void destroy(ULONG& item) noexcept {
        ++destroyed;
        item = 0;
    }
};
int BudgetCopy::budget = 0;
int BudgetCopy::destroyed = 0;

using BudgetEnumerator =
    CORVComEnumOnSTL<IsvSysEnumPropertyTag, &IID_IsvSysEnumPropertyTag, ULONG, BudgetCopy, std::set<ULONG>>;

}  // namespace

TEST(EnumOnSTL, FailedCopyFreesWhatThisCallHandedOut) {
    const std::set<ULONG> items{1, 2, 3};
    ComPtr<BudgetEnumerator> tags;
    ASSERT_EQ(S_OK, BudgetEnumerator::createInstance(tags));
    tags->init(nullptr, &items);
    BudgetCopy::budget = 2;
    BudgetCopy::destroyed = 0;
    ULONG out[3] = {};
    ULONG fetched = 9;
    EXPECT_EQ(E_OUTOFMEMORY, tags->Next(3, out, &fetched));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(2, BudgetCopy::destroyed);
    // The position did not move: a later read starts at the first item again.
    BudgetCopy::budget = 10;
    EXPECT_EQ(S_OK, tags->Next(1, out, &fetched));
    EXPECT_EQ(1u, out[0]);
}

TEST(EnumOnSTL, WithoutCollectionFails) {
    ComPtr<BudgetEnumerator> tags;
    ASSERT_EQ(S_OK, BudgetEnumerator::createInstance(tags));
    ULONG out = 0;
    ULONG fetched = 0;
    EXPECT_EQ(E_FAIL, tags->Next(1, &out, &fetched));
    EXPECT_EQ(E_FAIL, tags->Reset());
    EXPECT_EQ(E_FAIL, tags->Skip(1));
}
