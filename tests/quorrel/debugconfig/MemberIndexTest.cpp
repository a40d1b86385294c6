// The index of the debug file's device members: what a scan from the front would find.
#include <gtest/gtest.h>

#include <cjson/cJSON.h>

#include <memory>
#include <string>

#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/MemberIndex.h"

using nORVMISysAPICommon100::MemberIndex;
namespace cjson = nORVMISysAPICommon100::cjson;

namespace {

std::shared_ptr<cJSON> parsed(const char* text) { return cjson::own(cJSON_Parse(text)); }

TEST(MemberIndexTest, AnswersAsAScanFromTheFrontForManyMembers) {
    // Enough members to grow the table several times; every third has a case variant after it.
    std::string text = "{";
    for (int i = 0; i < 300; ++i) {
        text += (i ? ",\"Dev" : "\"Dev") + std::to_string(i) + "\": " + std::to_string(i);
        if (i % 3 == 0) text += ",\"DEV" + std::to_string(i) + "\": -1";
    }
    const auto root = parsed((text + "}").c_str());
    MemberIndex index;
    index.build(*root);
    for (int i = 0; i < 300; ++i) {
        for (const std::string& name : {"dev" + std::to_string(i), "Dev" + std::to_string(i), "DEV" + std::to_string(i)}) {
            EXPECT_EQ(cjson::findMember(root.get(), name.c_str()), index.find(name.c_str())) << name;
        }
        EXPECT_EQ(i, index.findExact(("Dev" + std::to_string(i)).c_str())->valueint);
        cJSON* upper = index.findExact(("DEV" + std::to_string(i)).c_str());
        if (i % 3 == 0) {
            ASSERT_NE(nullptr, upper) << i;
            EXPECT_EQ(-1, upper->valueint);
        } else {
            EXPECT_EQ(nullptr, upper) << i;
        }
        EXPECT_EQ(nullptr, index.findExact(("dev" + std::to_string(i)).c_str()));
    }
    EXPECT_EQ(nullptr, index.find("Dev300"));
    EXPECT_EQ(nullptr, index.find("Dev"));
}

TEST(MemberIndexTest, AddedMembersAreFoundAndLaterDuplicatesIgnored) {
    const auto root = parsed(R"({"a": 1})");
    MemberIndex index;
    index.build(*root);
    cJSON& added = cjson::addMember(*root, "{B}", cJSON_CreateNumber(2));
    index.add(&added);
    EXPECT_EQ(&added, index.find("{b}"));
    cJSON& shadowed = cjson::addMember(*root, "A", cJSON_CreateNumber(3));
    index.add(&shadowed);
    EXPECT_EQ(1, index.find("A")->valueint);
    EXPECT_EQ(&shadowed, index.findExact("A"));
}

TEST(MemberIndexTest, NothingIndexedOfANonObject) {
    const auto root = parsed(R"([{"a": 1}])");
    MemberIndex index;
    index.build(*root);
    EXPECT_EQ(nullptr, index.find("a"));
    EXPECT_EQ(nullptr, index.findExact("a"));
}

}  // namespace
