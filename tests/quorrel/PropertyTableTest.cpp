// The bag's property storage: one sorted vector of values with their modified marks.
#include <gtest/gtest.h>

#include <vector>

#include "quorrel/sysapicpp/PropertyTable.h"

using namespace sysapicpp;

namespace {

std::vector<uint32_t> tagsOf(const PropertyTable& table) {
    std::vector<uint32_t> tags;
    table.forEachTag([&](uint32_t tag) { tags.push_back(tag); });
    return tags;
}

std::vector<uint32_t> modifiedOf(const PropertyTable& table) {
    std::vector<uint32_t> tags;
    table.forEachModifiedTag([&](uint32_t tag) { tags.push_back(tag); });
    return tags;
}

TEST(PropertyTableTest, KeepsTagsAscendingWithTheirValuesAndMarks) {
    PropertyTable table;
    // More tags than one allocation holds, written in no order, one of them twice.
    std::vector<uint32_t> expected;
    for (uint32_t i = 0; i < 40; ++i) {
        const uint32_t tag = (i * 17) % 40 + 100;
        table.put(tag, CsvU32Value(tag * 2));
        expected.push_back(i + 100);
    }
    table.put(105, CsvStringValue(CorvBStr(L"five")));
    EXPECT_EQ(expected, tagsOf(table));
    EXPECT_EQ(expected, modifiedOf(table));
    EXPECT_EQ(40u, table.modifiedCount());
    EXPECT_EQ(L"five", std::get<CsvStringValue>(*table.find(105)).value().str());
    EXPECT_EQ(278u, std::get<CsvU32Value>(*table.find(139)).value());
    EXPECT_EQ(nullptr, table.find(99));
    EXPECT_EQ(nullptr, table.find(140));

    EXPECT_TRUE(table.clearModified(120));
    EXPECT_FALSE(table.clearModified(120));
    EXPECT_FALSE(table.clearModified(99));
    EXPECT_EQ(39u, table.modifiedCount());
    // A removed tag takes its mark along; a marked tag stays marked when written again.
    EXPECT_TRUE(table.remove(101));
    EXPECT_FALSE(table.remove(101));
    EXPECT_EQ(38u, table.modifiedCount());
    EXPECT_FALSE(table.markModified(101));
    EXPECT_TRUE(table.markModified(120));
    table.put(121, CsvI32Value(-1));
    EXPECT_EQ(39u, table.modifiedCount());
    EXPECT_EQ(39u, modifiedOf(table).size());

    const PropertyTable copy = table.copyValues();
    EXPECT_EQ(tagsOf(table), tagsOf(copy));
    EXPECT_EQ(0u, copy.modifiedCount());
    EXPECT_EQ(L"five", std::get<CsvStringValue>(*copy.find(105)).value().str());
    EXPECT_EQ(kSvSysPropertyTypeI32, typeCodeOf(*copy.find(121)));

    EXPECT_TRUE(table.clearAllModified());
    EXPECT_FALSE(table.clearAllModified());
    table.clear();
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(0u, table.modifiedCount());
}

}  // namespace
