// The binding's table of engine functions and the stand-in engine's own list of its exports are
// kept apart, so that a mistake in one is caught here instead of being echoed by the other.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "helvar/miivi/IviEngineFunctions.h"

namespace {

struct Entry {
    std::string name;
    bool required;
};

const Entry kEngineList[] = {
#define IVI_REQUIRED(n) {#n, true},
#define IVI_OPTIONAL(n) {#n, false},
#include "IviEngineExports.def"
#undef IVI_REQUIRED
#undef IVI_OPTIONAL
};

std::vector<Entry> bindingList() {
    std::vector<Entry> list;
    for (const miivi::EngineFunctionInfo& f : miivi::kEngineFunctions) list.push_back({f.name, f.required});
    return list;
}

std::vector<Entry> engineList() { return std::vector<Entry>(std::begin(kEngineList), std::end(kEngineList)); }

template <class List>
std::size_t distinctNames(const List& list) {
    std::set<std::string> names;
    for (const Entry& e : list) names.insert(e.name);
    return names.size();
}

}  // namespace

TEST(EngineNameLists, SameNamesKindsAndOrder) {
    const std::vector<Entry> binding = bindingList();
    const std::vector<Entry> engine = engineList();
    ASSERT_EQ(binding.size(), engine.size());
    for (std::size_t i = 0; i < binding.size(); ++i) {
        EXPECT_EQ(binding[i].name, engine[i].name) << "position " << i;
        EXPECT_EQ(binding[i].required, engine[i].required) << binding[i].name;
    }
}

TEST(EngineNameLists, EachNameOnce) {
    EXPECT_EQ(bindingList().size(), distinctNames(bindingList()));
    EXPECT_EQ(engineList().size(), distinctNames(engineList()));
}

TEST(EngineNameLists, RequiredOnesComeFirst) {
    for (const std::vector<Entry>& list : {bindingList(), engineList()}) {
        std::size_t required = 0;
        while (required < list.size() && list[required].required) ++required;
        EXPECT_EQ(miivi::kRequiredEngineFunctionCount, required);
        for (std::size_t i = required; i < list.size(); ++i) EXPECT_FALSE(list[i].required) << list[i].name;
    }
}
