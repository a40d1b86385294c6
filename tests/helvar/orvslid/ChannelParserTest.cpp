// The channel grammar against a capability with instances "0" to "3" (and a few named ones).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "helvar/orvslid/ChannelParser.h"
#include "support/StatusDocument.h"

namespace orvslid {
namespace {

class Names : public iRepCapInfo {
public:
    explicit Names(std::vector<std::string> names) : names_(std::move(names)) {}
    uint32_t indexOf(const char* name) const override {
        for (uint32_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return i;
        }
        return kNoIndex;
    }
    const char* nameOf(uint32_t index) const override { return index < names_.size() ? names_[index].c_str() : nullptr; }
    const char* capabilityName() const override { return "Channel"; }
    uint32_t count() const override { return static_cast<uint32_t>(names_.size()); }

private:
    std::vector<std::string> names_;
};

const Names kFour({"0", "1", "2", "3"});

struct Outcome {
    int32_t code;
    std::vector<uint32_t> indices;
};

Outcome parse(const char* text, const iRepCapInfo& names = kFour) {
    ChannelParser parser(names);
    orverr::Status status;
    parser.parse(text, status);
    return {status.code, parser.indices()};
}

constexpr int32_t kBadName = -1074134956;
constexpr int32_t kUnknownName = -1074135008;
constexpr int32_t kDuplicate = -1074134978;

using List = std::vector<uint32_t>;

TEST(ChannelParser, EmptyBlankAndNullTextsGiveAnEmptyList) {
    for (const char* text : {"", "   ", " \t\r\n", static_cast<const char*>(nullptr)}) {
        Outcome outcome = parse(text);
        EXPECT_EQ(outcome.code, 0);
        EXPECT_TRUE(outcome.indices.empty());
    }
}

TEST(ChannelParser, ListsWithBlanksAndOneTrailingComma) {
    EXPECT_EQ(parse("0, 1 ,2,").indices, (List{0, 1, 2}));
    EXPECT_EQ(parse(" 3 ").indices, (List{3}));
    EXPECT_EQ(parse("2,0,").code, 0);
    EXPECT_EQ(parse("1 , 3 , ").indices, (List{1, 3}));
}

TEST(ChannelParser, RangesAscendAndDescend) {
    EXPECT_EQ(parse("0-2").indices, (List{0, 1, 2}));
    EXPECT_EQ(parse("0 : 2").indices, (List{0, 1, 2}));
    EXPECT_EQ(parse("3:0").indices, (List{3, 2, 1, 0}));
    EXPECT_EQ(parse("2-2").indices, (List{2}));
    EXPECT_EQ(parse("1-0, 2-3").indices, (List{1, 0, 2, 3}));
}

TEST(ChannelParser, MalformedTextsAreBadNames) {
    for (const char* text : {"0,,1", ",0", "0-", "0 :", "0 1", "0-,1", "0.1", "0;1", "-1", ",", "0,,", "0-1-2"}) {
        EXPECT_EQ(parse(text).code, kBadName) << text;
    }
}

TEST(ChannelParser, UnknownNamesAlsoAsTheEndOfARange) {
    EXPECT_EQ(parse("7").code, kUnknownName);
    EXPECT_EQ(parse("0-7").code, kUnknownName);
    EXPECT_EQ(parse("0, 12").code, kUnknownName);
    // Names are case-sensitive.
    Names named({"CH1", "CH2"});
    EXPECT_EQ(parse("ch1", named).code, kUnknownName);
    EXPECT_EQ(parse("CH1,CH2", named).indices, (List{0, 1}));
}

TEST(ChannelParser, RepeatedChannelsAreDuplicates) {
    EXPECT_EQ(parse("1,1").code, kDuplicate);
    EXPECT_EQ(parse("0-2, 1").code, kDuplicate);
    EXPECT_EQ(parse("3:1,2-3").code, kDuplicate);
}

TEST(ChannelParser, AcceptsTheSpecialNameCharacters) {
    Names named({"A!", "[x]", "_y_", "Z9"});
    EXPECT_EQ(parse("A!, [x] - Z9", named).indices, (List{0, 1, 2, 3}));
}

TEST(ChannelParser, WritesTheErrorDocumentAndTheOffendingText) {
    ChannelParser parser(kFour);
    orverr::Status status;
    parser.parse("0, 9", status);
    EXPECT_EQ(parser.offendingText(), "9");
    auto document = testing_units::parseDocument(status.text());
    EXPECT_EQ(testing_units::errorConstant(document), "ivierrors::ERR_UNKNOWN_CHANNEL_NAME");
    EXPECT_EQ(std::string(document["translator"].GetString()), "mxlator_Digiscan");
    EXPECT_TRUE(document["translator_info"]["ordered_data"].IsArray());
    EXPECT_EQ(document["translator_info"]["ordered_data"].Size(), 0u);
    // The list holds what was appended before the error.
    EXPECT_EQ(parser.indices(), (List{0}));

    parser.parse("1", status);  // status-in/status-out: an error stops later work
    EXPECT_EQ(parser.indices(), (List{0}));
    EXPECT_EQ(status.code, kUnknownName);
}

TEST(ChannelParser, AWarningGivesWayAndTheListIsClearedOnEachParse) {
    ChannelParser parser(kFour);
    orverr::Status status;
    orverr::setCode(status, 5);
    parser.parse("0-3", status);
    EXPECT_EQ(status.code, 5);
    EXPECT_EQ(parser.size(), 4u);
    parser.parse("2,2", status);
    EXPECT_EQ(status.code, kDuplicate);
    EXPECT_EQ(parser.offendingText(), "2");
}

TEST(ChannelParser, IteratesIndicesAndNames) {
    ChannelParser parser(kFour);
    orverr::Status status;
    parser.parse("3, 0-1", status);
    std::vector<std::string> names;
    List indices;
    for (auto it = parser.begin(); it != parser.end(); ++it) {
        indices.push_back(*it);
        names.push_back(it.name());
    }
    EXPECT_EQ(indices, (List{3, 0, 1}));
    EXPECT_EQ(names, (std::vector<std::string>{"3", "0", "1"}));
}

TEST(ChannelParser, GrowsPastItsFirstCapacity) {
    std::vector<std::string> many;
    for (int i = 0; i < 1000; ++i) many.push_back("c" + std::to_string(i));
    Names names(many);
    Outcome outcome = parse("c999:c0", names);
    ASSERT_EQ(outcome.code, 0);
    ASSERT_EQ(outcome.indices.size(), 1000u);
    EXPECT_EQ(outcome.indices.front(), 999u);
    EXPECT_EQ(outcome.indices.back(), 0u);
}

}  // namespace
}  // namespace orvslid
