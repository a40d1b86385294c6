#pragma once
// Reads back what a raise wrote into a status document.
#include <string>
#include <utility>
#include <vector>

#include <rapidjson/document.h>

#include "common/orverr/Exception.h"

namespace impexp_test {

struct StatusView {
    int32_t code = 0;
    std::string constant;
    // (usage name or "comment", value as text) in raise order.
    std::vector<std::pair<std::string, std::string>> items;

    static StatusView of(const orverr::Exception& e) {
        StatusView view;
        view.code = e.code();
        rapidjson::Document d;
        d.Parse(e.what());
        if (d.HasParseError() || !d.IsObject()) return view;
        if (d.HasMember("error_constant") && d["error_constant"].IsString()) view.constant = d["error_constant"].GetString();
        if (d.HasMember("translator_info") && d["translator_info"].HasMember("ordered_data")) {
            for (const auto& item : d["translator_info"]["ordered_data"].GetArray()) {
                if (std::string(item["type"].GetString()) == "comment") {
                    view.items.emplace_back("comment", item["comment"].GetString());
                    continue;
                }
                const auto& v = item["value"];
                std::string text = v.IsString() ? v.GetString() : v.IsInt64() ? std::to_string(v.GetInt64())
                                                                              : std::to_string(v.GetUint64());
                view.items.emplace_back(item["usage"].GetString(), text);
            }
        }
        return view;
    }
};

using Items = std::vector<std::pair<std::string, std::string>>;

// Runs f, expects an orverr::Exception, and returns what it carried.
template <class F>
StatusView raised(F&& f) {
    try {
        f();
    } catch (const orverr::Exception& e) {
        return StatusView::of(e);
    }
    return StatusView();
}

}  // namespace impexp_test
