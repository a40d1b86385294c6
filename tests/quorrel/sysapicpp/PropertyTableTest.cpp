// The bag's property storage: one sorted vector of plain entries with their modified marks.
#include <gtest/gtest.h>

#include <string>
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

std::wstring textOf(const PropertyTable& table, uint32_t tag) {
    const BSTR* text = table.get<CsvStringValue>(tag);
    return text == nullptr ? L"<none>" : std::wstring(*text, SysStringLen(*text));
}

TEST(PropertyTableTest, KeepsTagsAscendingWithTheirValuesAndMarks) {
    PropertyTable table;
    // More tags than one allocation holds, written in no order; strings replaced and removed are
    // freed by the table (the sanitizer build sees a leak otherwise).
    std::vector<uint32_t> expected;
    for (uint32_t i = 0; i < 40; ++i) {
        const uint32_t tag = (i * 17) % 40 + 100;
        table.put<CsvU32Value>(tag, tag * 2);
        expected.push_back(i + 100);
    }
    // A tag changes its type only by being removed first.
    EXPECT_TRUE(table.remove(105));
    EXPECT_TRUE(table.remove(106));
    table.put<CsvStringValue>(105, SysAllocString(L"five"));
    table.put<CsvStringValue>(105, SysAllocString(L"FIVE"));
    table.put<CsvStringValue>(106, SysAllocString(L"six"));
    EXPECT_EQ(expected, tagsOf(table));
    EXPECT_EQ(expected, modifiedOf(table));
    EXPECT_EQ(40u, table.modifiedCount());
    EXPECT_EQ(L"FIVE", textOf(table, 105));
    EXPECT_EQ(kSvSysPropertyTypeString, table.typeOf(105));
    EXPECT_EQ(278u, *table.get<CsvU32Value>(139));
    EXPECT_EQ(nullptr, table.get<CsvI32Value>(139)) << "another type reads as nothing";
    // Another type is refused and changes nothing; a refused string is freed all the same.
    EXPECT_FALSE(table.put<CsvI32Value>(139, -5));
    EXPECT_FALSE(table.put<CsvStringValue>(139, SysAllocString(L"refused")));
    EXPECT_EQ(278u, *table.get<CsvU32Value>(139));
    EXPECT_EQ(0u, table.typeOf(99));
    EXPECT_EQ(0u, table.typeOf(140));

    EXPECT_TRUE(table.clearModified(120));
    EXPECT_FALSE(table.clearModified(120));
    EXPECT_FALSE(table.clearModified(99));
    EXPECT_EQ(39u, table.modifiedCount());
    // A removed tag takes its mark along; a tag written again is marked again.
    EXPECT_TRUE(table.remove(101));
    EXPECT_TRUE(table.remove(106));
    EXPECT_FALSE(table.remove(101));
    EXPECT_EQ(37u, table.modifiedCount());
    EXPECT_FALSE(table.markModified(101));
    EXPECT_TRUE(table.markModified(120));
    EXPECT_TRUE(table.remove(121));
    EXPECT_TRUE(table.put<CsvI32Value>(121, -1));
    EXPECT_EQ(38u, table.modifiedCount());
    EXPECT_EQ(38u, modifiedOf(table).size());

    const PropertyTable copy = table.copyValues();
    EXPECT_EQ(tagsOf(table), tagsOf(copy));
    EXPECT_EQ(0u, copy.modifiedCount());
    EXPECT_EQ(L"FIVE", textOf(copy, 105));
    EXPECT_NE(*table.get<CsvStringValue>(105), *copy.get<CsvStringValue>(105)) << "a string of its own";
    ASSERT_NE(nullptr, copy.get<CsvI32Value>(121));
    EXPECT_EQ(-1, *copy.get<CsvI32Value>(121));

    PropertyTable moved(std::move(table));
    EXPECT_EQ(L"FIVE", textOf(moved, 105));
    EXPECT_TRUE(moved.clearAllModified());
    EXPECT_FALSE(moved.clearAllModified());
    moved.clear();
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(0u, moved.modifiedCount());
}

}  // namespace
