// The typed attribute model: records, container, facades, factories, iterator and the copy step.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include <boost/ptr_container/exception.hpp>

#include "support/FakeIviSession.h"
#include "StatusView.h"
#include "helvar/impexp/AttributeFacadeFactory.h"
#include "helvar/impexp/IviSessionAttributeTypeGetter.h"
#include "helvar/impexp/JSONAttribute.h"
#include "helvar/impexp/JSONAttributeContainer.h"
#include "helvar/impexp/JSONAttributeFacade.h"
#include "helvar/impexp/JSONAttributeFacadeFactory.h"
#include "helvar/impexp/JSONAttributeIterator.h"
#include "helvar/impexp/TransferValue.h"

using namespace impexp;
using namespace impexp_test;

namespace {

const char* const kAttributeNotFound = "(((-2147483647L-1) + 0x3FFA0000L) + 0x0C)";
const char* const kValidateWarning = "(((-2147483647L-1) + 0x3FFA0000L) + 0x46)";

TEST(JSONAttributeContainerTest, EqualKeysAllActOnTheFirstRecord) {
    JSONAttributeContainer container;
    const AttributeKey key(10, "0");
    container.add(key, kTypeInt32, "FIRST");
    container.add(key, kTypeInt32, "SECOND");
    EXPECT_EQ(2u, container.size());
    container.setValueInt32(key, 5);
    EXPECT_EQ(5, container.getValueInt32(key));
    EXPECT_EQ("FIRST", container.getName(key));
    // The second record received nothing of its own.
    const StatusView view = raised([&] {
        JSONAttributeContainer other;
        other.append(new JSONAttribute<ViInt32>(key, kTypeInt32, "X"));
        other.getValueInt32(key);
    });
    EXPECT_EQ(orverr::codes::kSoftwareFault.code, view.code);
    EXPECT_EQ(key, container.keyAt(1));
}

// One id under many channels (an untrusted document may do that) and ids far apart: every key
// still finds its first record, before and after its id's chain grows long.
TEST(JSONAttributeContainerTest, ManyChannelsOfOneIdAndScatteredIdsKeepFirstRecordWins) {
    JSONAttributeContainer container;
    const int channels = 200;
    for (int round = 0; round < 2; ++round) {
        for (int c = 0; c < channels; ++c) {
            container.add(AttributeKey(7, "ch" + std::to_string(c)), kTypeInt32, round == 0 ? "FIRST" : "LATER");
            if (round == 0) container.setValueInt32(AttributeKey(7, "ch" + std::to_string(c)), c);
        }
    }
    for (ViAttr id : {0u, 1u, 65536u, 1250001u, 4294967295u}) container.add(AttributeKey(id, ""), kTypeString, "S");
    EXPECT_EQ(static_cast<std::size_t>(2 * channels + 5), container.size());
    for (int c = 0; c < channels; ++c) {
        const AttributeKey key(7, "ch" + std::to_string(c));
        ASSERT_TRUE(container.contains(key)) << c;
        EXPECT_EQ("FIRST", container.getName(key)) << c;
        EXPECT_EQ(c, container.getValueInt32(key)) << c;
        // The later duplicate points at the first record.
        const JSONAttributeEntry first = container.firstEntryAt(static_cast<std::size_t>(channels + c));
        EXPECT_EQ(key, AttributeKey(first.id, std::string(first.channel)));
        EXPECT_EQ("FIRST", first.name);
        EXPECT_EQ(c, first.integer);
    }
    EXPECT_FALSE(container.contains(AttributeKey(7, "ch200")));
    EXPECT_FALSE(container.contains(AttributeKey(7, "")));
    for (ViAttr id : {0u, 1u, 65536u, 1250001u, 4294967295u}) EXPECT_TRUE(container.contains(AttributeKey(id, ""))) << id;
    EXPECT_FALSE(container.contains(AttributeKey(2, "")));
}

TEST(JSONAttributeContainerTest, LookupsOfMissingKeysAndIndicesRaise) {
    JSONAttributeContainer container;
    container.add(AttributeKey(1, ""), kTypeReal64, "R");
    for (auto lookup : {+[](JSONAttributeContainer& c) { c.getType(AttributeKey(1, "1")); },
                        +[](JSONAttributeContainer& c) { c.getName(AttributeKey(2, "")); },
                        +[](JSONAttributeContainer& c) { c.setValueReal64(AttributeKey(2, ""), 1.0); }}) {
        const StatusView view = raised([&] { lookup(container); });
        EXPECT_EQ(orverr::codes::kInvalidAttributeValue.code, view.code);
        EXPECT_EQ(kAttributeNotFound, view.constant);
        EXPECT_EQ((Items{{"comment", "Attribute not found in the attribute container!"}}), view.items);
    }
    const StatusView range = raised([&] { container.keyAt(1); });
    EXPECT_EQ(orverr::codes::kOutOfRange.code, range.code);
    EXPECT_EQ("orvmxl::kErrorOutOfRange", range.constant);
    EXPECT_EQ((Items{{"comment", "Index out of range for attributeVector."}}), range.items);
}

TEST(JSONAttributeContainerTest, RecordsKeepTheirOwnValueType) {
    JSONAttributeContainer container;
    const AttributeKey key(3, "");
    container.add(key, kTypeInt64, "I64");
    EXPECT_EQ(orverr::codes::kSoftwareFault.code, raised([&] { container.setValueInt32(key, 1); }).code);
    EXPECT_EQ(orverr::codes::kSoftwareFault.code, raised([&] { container.getValueInt64(key); }).code);
    container.setValueInt64(key, INT64_MIN);
    EXPECT_EQ(INT64_MIN, container.getValueInt64(key));
    EXPECT_EQ(kTypeInt64, container.getType(key));
}

TEST(JSONAttributeContainerTest, UnknownTypesAddNothingAndANullRecordIsRefused) {
    JSONAttributeContainer container;
    container.add(AttributeKey(4, ""), 3, "THREE");
    EXPECT_EQ(0u, container.size());
    EXPECT_FALSE(container.contains(AttributeKey(4, "")));
    try {
        container.append(nullptr);
        FAIL() << "a null record was accepted";
    } catch (const boost::bad_pointer& e) {
        EXPECT_STREQ("Null pointer in 'push_back()'", e.what());
    }
    EXPECT_EQ(0u, container.size());
}

TEST(JSONAttributeFacadeFactoryTest, CreatesRecordsAndRefusesUnknownTypes) {
    JSONAttributeContainer container;
    JSONAttributeFacadeFactory factory(container);
    const StatusView unknown = raised([&] { factory.create(AttributeKey(4, ""), 3, "THREE"); });
    EXPECT_EQ(orverr::codes::kSoftwareFault.code, unknown.code);
    EXPECT_EQ("orvmxl::kErrorSoftwareFault", unknown.constant);
    EXPECT_EQ((Items{{"comment", "Unknown type when creating attribute facade!"}}), unknown.items);
    EXPECT_EQ(0u, container.size());

    AttributePtr facade = factory.create(AttributeKey(5, "1"), kTypeString, "TEXT");
    auto& text = dynamic_cast<IviAttributeInterface<std::string>&>(*facade);
    text.setValue("abc");
    EXPECT_EQ("abc", container.getValueString(AttributeKey(5, "1")));
    EXPECT_EQ("TEXT", facade->getName());
    EXPECT_EQ(kTypeString, facade->getType());
    EXPECT_TRUE(facade->wasSetByUser());
    // A second create for the key reuses the record.
    factory.create(AttributeKey(5, "1"), kTypeString, "OTHER");
    EXPECT_EQ(1u, container.size());
    EXPECT_EQ("abc", dynamic_cast<IviAttributeInterface<std::string>&>(*factory.createForKey(AttributeKey(5, "1")))
                         .getValue());

    const StatusView missing = raised([&] { JSONAttributeFacade<ViInt32>(container, AttributeKey(6, "")); });
    EXPECT_EQ(orverr::codes::kInvalidAttributeValue.code, missing.code);
    EXPECT_EQ((Items{{"kUsageTypeAttributeId", "6"}}), missing.items);
}

TEST(JSONAttributeIteratorTest, WalksTheRecordsAndGuardsTheEnd) {
    JSONAttributeContainer container;
    JSONAttributeFacadeFactory factory(container);
    EXPECT_TRUE(JSONAttributeIterator::begin(container, factory) == JSONAttributeIterator::end(container, factory));

    container.add(AttributeKey(1, ""), kTypeInt32, "A");
    container.add(AttributeKey(2, "0"), kTypeBoolean, "B");
    std::vector<AttributeKey> keys;
    auto it = JSONAttributeIterator::begin(container, factory);
    const auto end = JSONAttributeIterator::end(container, factory);
    for (; it != end; ++it) keys.push_back((*it)->getKey());
    EXPECT_EQ((std::vector<AttributeKey>{AttributeKey(1, ""), AttributeKey(2, "0")}), keys);

    EXPECT_EQ(orverr::codes::kOutOfRange.code, raised([&] { *it; }).code);
    const StatusView increment = raised([&] { ++it; });
    EXPECT_EQ(orverr::codes::kOutOfRange.code, increment.code);
    EXPECT_TRUE(increment.items.empty());

    JSONAttributeContainer other;
    JSONAttributeFacadeFactory otherFactory(other);
    EXPECT_FALSE(JSONAttributeIterator::end(container, factory) == JSONAttributeIterator::end(other, otherFactory));
}

class EngineSideTest : public ::testing::Test {
protected:
    FakeIviSession session;
    FakeDesiredReader reader{session};
    AttributeFacadeFactory factory{session, reader};
};

TEST_F(EngineSideTest, FacadeReadsAndWritesThroughTheEngine) {
    session.repCaps["Channel"] = {"0", "1"};
    session.add(100, "OFFSET", IVI_VAL_REAL64, "Channel");
    session.value(100, "1").real = 0.5;
    AttributePtr facade = factory.createForKey(AttributeKey(100, "1"));
    ASSERT_TRUE(facade);
    EXPECT_EQ("OFFSET", facade->getName());
    EXPECT_EQ(kTypeReal64, facade->getType());
    EXPECT_TRUE(facade->wasSetByUser());
    auto& real = dynamic_cast<IviAttributeInterface<ViReal64>&>(*facade);
    EXPECT_EQ(0.5, real.getValue());
    real.setValue(2.5);
    EXPECT_EQ(2.5, session.value(100, "1", false).real);
    EXPECT_FALSE(factory.createForKey(AttributeKey(100, "0"))->wasSetByUser());
}

TEST_F(EngineSideTest, ConstructionChecksAvailabilityAndChannel) {
    session.add(101, "COUPLING", IVI_VAL_INT32);
    struct Row {
        const char* name;
        AttributeKey key;
        int warning;  // of the engine's validation of the attribute, 0 for none
        ViStatus code;
        std::string constant;
        std::optional<Items> items;
    };
    const Row rows[] = {
        {"an id the session does not know", AttributeKey(999, ""), 0, orverr::codes::kInvalidAttributeValue.code,
         kAttributeNotFound, Items{{"kUsageTypeAttributeId", "999"}}},
        {"a channel the validation warns about", AttributeKey(101, "7"), 3,
         orverr::codes::kAttributeTypeMismatch.code, kValidateWarning,
         Items{{"kUsageTypeAttributeId", "101"}, {"kUsageTypeChannelName", "7"}}},
        {"a channel the engine does not know", AttributeKey(101, "7"), 0, kUnknownChannel, "error", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        session.validationWarnings.clear();
        if (row.warning != 0) session.validationWarnings[101] = row.warning;
        const StatusView view = raised([&] { factory.create(row.key, kTypeInt32, ""); });
        EXPECT_EQ(row.code, view.code);
        EXPECT_EQ(row.constant, view.constant);
        if (row.items) {
            EXPECT_EQ(*row.items, view.items);
        }
    }
}

TEST_F(EngineSideTest, TypesOutsideTheTableMakeNoFacadeAndTransferNothing) {
    session.add(102, "ODD", IVI_VAL_UNKNOWN_TYPE);
    session.value(102).integer = 1;
    EXPECT_FALSE(factory.create(AttributeKey(102, ""), kTypeUnknown, "ODD"));
    EXPECT_FALSE(factory.createForKey(AttributeKey(102, "")));

    JSONAttributeContainer container;
    container.add(AttributeKey(102, ""), kTypeInt32, "ODD");
    JSONAttributeFacadeFactory documentFactory(container);
    // A document record whose session type is unknown: the engine factory gives nothing to copy to.
    struct UnknownTyped : JSONAttributeFacade<ViInt32> {
        using JSONAttributeFacade<ViInt32>::JSONAttributeFacade;
        AttributeType getType() const override { return kTypeUnknown; }
    } source(container, AttributeKey(102, ""));
    transferValue(source, factory);
    EXPECT_TRUE(session.setLog.empty());
}

TEST_F(EngineSideTest, TransferCopiesEveryTypeUnchangedBothWays) {
    session.add(1, "I32", IVI_VAL_INT32);
    session.add(2, "I64", IVI_VAL_INT64);
    session.add(3, "R", IVI_VAL_REAL64);
    session.add(4, "S", IVI_VAL_STRING);
    session.add(5, "SES", IVI_VAL_SESSION);
    session.add(6, "B", IVI_VAL_BOOLEAN);
    session.value(1).integer = -7;
    session.value(2).integer = INT64_MAX;
    session.value(3).real = -0.0;
    session.value(4).text = "Model:X";
    session.value(5).integer = 0xFFFFFFFFu;
    session.value(6).integer = 7;  // any non-zero boolean stays non-zero on the way
    JSONAttributeContainer container;
    JSONAttributeFacadeFactory documentFactory(container);
    for (ViAttr id = 1; id <= 6; ++id) transferValue(*factory.createForKey(AttributeKey(id, "")), documentFactory);
    EXPECT_EQ(-7, container.getValueInt32(AttributeKey(1, "")));
    EXPECT_EQ(INT64_MAX, container.getValueInt64(AttributeKey(2, "")));
    EXPECT_TRUE(std::signbit(container.getValueReal64(AttributeKey(3, ""))));
    EXPECT_EQ("Model:X", container.getValueString(AttributeKey(4, "")));
    EXPECT_EQ(0xFFFFFFFFu, container.getValueUInt32(AttributeKey(5, "")));
    EXPECT_EQ(7, container.getValueBoolean(AttributeKey(6, "")));
    EXPECT_EQ("SES", container.getName(AttributeKey(5, "")));

    container.setValueInt32(AttributeKey(1, ""), 42);
    container.setValueBoolean(AttributeKey(6, ""), 0);
    for (auto it = JSONAttributeIterator::begin(container, documentFactory);
         it != JSONAttributeIterator::end(container, documentFactory); ++it) {
        transferValue(**it, factory);
    }
    EXPECT_EQ(42, session.value(1, "", false).integer);
    EXPECT_EQ(0, session.value(6, "", false).integer);
    EXPECT_EQ(6u, session.setLog.size());
}

TEST_F(EngineSideTest, TypeGetterAsksTheEngineAndRaisesItsErrors) {
    session.add(7, "S", IVI_VAL_SESSION);
    IviSessionAttributeTypeGetter getter(session);
    EXPECT_EQ(kTypeSession, getter.getType(7));
    const StatusView view = raised([&] { getter.getType(8); });
    EXPECT_EQ(kUnknownAttribute, view.code);
    EXPECT_EQ("error", view.constant);
}

}  // namespace

namespace {

// Records are held side by side with their texts in blocks: texts of every length, many records
// (the index and the record vector grow several times), and values set later all stay intact.
TEST(JSONAttributeContainerTest, RecordsAndTextsStayIntactAsTheContainerGrows) {
    JSONAttributeContainer container;
    const int count = 5000;
    auto textOf = [](int i) { return std::string(static_cast<std::size_t>(i % 97) * (i % 7 == 0 ? 300 : 1), 'a' + i % 26); };
    for (int i = 0; i < count; ++i) {
        const AttributeKey key(static_cast<ViAttr>(1000 + i / 2), i % 2 == 0 ? "" : "channel-" + std::to_string(i));
        container.add(key, i % 3 == 0 ? kTypeString : kTypeReal64, "NAME_" + textOf(i));
        if (i % 3 == 0) {
            container.setValueString(key, textOf(i + 1));
        } else {
            container.setValueReal64(key, i + 0.5);
        }
    }
    ASSERT_EQ(static_cast<std::size_t>(count), container.size());
    for (int i = 0; i < count; ++i) {
        const AttributeKey key(static_cast<ViAttr>(1000 + i / 2), i % 2 == 0 ? "" : "channel-" + std::to_string(i));
        EXPECT_EQ(key, container.keyAt(static_cast<std::size_t>(i)));
        EXPECT_EQ("NAME_" + textOf(i), container.getName(key));
        const JSONAttributeEntry entry = container.firstEntryAt(static_cast<std::size_t>(i));
        ASSERT_TRUE(entry.hasValue);
        if (i % 3 == 0) {
            EXPECT_EQ(textOf(i + 1), container.getValueString(key)) << i;
            EXPECT_EQ(textOf(i + 1), entry.text) << i;
        } else {
            EXPECT_EQ(i + 0.5, container.getValueReal64(key)) << i;
            EXPECT_EQ(i + 0.5, entry.real) << i;
        }
    }
}

// A record appended as an object keeps its value; a later one with the same key adds nothing
// lookups could see.
TEST(JSONAttributeContainerTest, AppendedRecordsKeepTheirValues) {
    JSONAttributeContainer container;
    auto* first = new JSONAttribute<std::string>(AttributeKey(9, "1"), kTypeString, "TEXT");
    first->setValue("kept");
    container.append(first);
    auto* later = new JSONAttribute<std::string>(AttributeKey(9, "1"), kTypeString, "LATER");
    later->setValue("ignored");
    container.append(later);
    EXPECT_EQ(2u, container.size());
    EXPECT_EQ("kept", container.getValueString(AttributeKey(9, "1")));
    EXPECT_EQ("TEXT", container.firstEntryAt(1).name);
}

// A borrowing container references names and string values where they lie and copies only the
// channel; a copying one keeps copies of all three. Appended records are always copied.
TEST(JSONAttributeContainerTest, BorrowedTextsAreReferencedCopiedOnesAreNot) {
    for (const bool borrowed : {false, true}) {
        JSONAttributeContainer container(borrowed ? JSONAttributeContainer::Texts::borrowed
                                                  : JSONAttributeContainer::Texts::copied);
        const std::string name = "NAME";
        const std::string value = "value";
        std::string channel = "0";
        container.add(AttributeKey(1, channel), kTypeString, name);
        container.setValueString(AttributeKey(1, channel), value);
        auto* appended = new JSONAttribute<std::string>(AttributeKey(2, ""), kTypeString, "APPENDED");
        appended->setValue("text");
        container.append(appended);
        channel = "9";
        const JSONAttributeEntry entry = container.firstEntryAt(0);
        EXPECT_EQ(borrowed, entry.name.data() == name.data()) << borrowed;
        EXPECT_EQ(borrowed, entry.text.data() == value.data()) << borrowed;
        EXPECT_EQ("0", entry.channel) << borrowed;
        EXPECT_EQ("APPENDED", container.firstEntryAt(1).name) << borrowed;
        EXPECT_EQ("text", container.firstEntryAt(1).text) << borrowed;
    }
}

}  // namespace
