#pragma once
// Reads a status document back for assertions.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>
#include <vector>

#include "common/orverr/Status.h"

namespace testing_units {

inline rapidjson::Document parseDocument(const char* text) {
    rapidjson::Document document;
    document.Parse(text);
    EXPECT_FALSE(document.HasParseError()) << text;
    return document;
}

// "error_constant" of the document, or "" when absent.
inline std::string errorConstant(const rapidjson::Document& document) {
    auto member = document.FindMember("error_constant");
    return member != document.MemberEnd() && member->value.IsString() ? member->value.GetString() : "";
}

// The elaboration items in order, each as "usage:<name>=<value>" or "comment:<text>".
inline std::vector<std::string> elaborations(const rapidjson::Document& document) {
    std::vector<std::string> items;
    if (!document.HasMember("translator_info")) return items;
    const rapidjson::Value& data = document["translator_info"]["ordered_data"];
    for (const rapidjson::Value& item : data.GetArray()) {
        const std::string type = item["type"].GetString();
        if (type == "usage") {
            const rapidjson::Value& value = item["value"];
            items.push_back("usage:" + std::string(item["usage"].GetString()) + "=" +
                            (value.IsString() ? value.GetString() : std::to_string(value.GetInt64())));
        } else {
            items.push_back("comment:" + std::string(item["comment"].GetString()));
        }
    }
    return items;
}

}  // namespace testing_units
