#pragma once
// A translator framework session whose answers a test sets.
#include <map>
#include <string>

#include "common/orverr/Raise.h"
#include "helvar/orvxlator/Session.h"

namespace testing_xlator {

class FakeSession : public orvxlator::SessionInterface {
public:
    bool staticDescription(int32_t code, const std::string& xlatorName, uint32_t, std::string& text,
                           orverr::Status& status) override {
        text.clear();
        if (status.isError()) return false;
        staticNames += xlatorName + ";";
        if (failStatic) {
            ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound);
            return false;
        }
        auto found = statics.find(code);
        text = found != statics.end() ? found->second : "Static " + std::to_string(code) + ".";
        return true;
    }
    bool dynamicDescription(const char* document, uint32_t, std::string& text, orverr::Status& status) override {
        text.clear();
        if (status.isError()) return false;
        ++dynamicCalls;
        if (failDynamic) {
            ORVERR_RAISE_INTO(status, orverr::codes::kSoftwareFaultInternal);
            return false;
        }
        text = dynamic;
        return true;
    }

    std::map<int32_t, std::string> statics;
    std::string dynamic = "{\"dynamic\":[],\"debug\":[]}";
    bool failStatic = false;
    bool failDynamic = false;
    int dynamicCalls = 0;
    std::string staticNames;
};

}  // namespace testing_xlator
