// Channel strings come from documents that anyone may hand to an import.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/orverr/JsonCursor.h"
#include "helvar/orvslid/ChannelParser.h"

namespace {

class Names : public orvslid::iRepCapInfo {
public:
    explicit Names(std::vector<std::string> names) : names_(std::move(names)) {}
    uint32_t indexOf(const char* name) const override {
        for (uint32_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return i;
        }
        return orvslid::kNoIndex;
    }
    const char* nameOf(uint32_t index) const override { return index < names_.size() ? names_[index].c_str() : nullptr; }
    const char* capabilityName() const override { return "Channel"; }
    uint32_t count() const override { return static_cast<uint32_t>(names_.size()); }

private:
    std::vector<std::string> names_;
};

std::vector<std::string> numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(std::to_string(i));
    return names;
}

const Names kNone({});
const Names kFour(numbered(4));
const Names kMany(numbered(300));
const Names kNamed({"CH1", "CH2", "A!", "[x]", "_y_", "Z9"});
const orvslid::iRepCapInfo* const kCapabilities[] = {&kFour, &kMany, &kNamed, &kNone};

bool isChannelError(int32_t code) {
    return code == -1074135008 || code == -1074134978 || code == -1074134956 || code == -1074134954;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const orvslid::iRepCapInfo& capability = *kCapabilities[data[0] % 4];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // stops at an embedded NUL

    orvslid::ChannelParser parser(capability);
    orverr::Status status;
    parser.parse(text.c_str(), status);
    if (status.code == 0) {
        // A valid list names known channels, each once.
        std::vector<bool> seen(capability.count(), false);
        for (auto it = parser.begin(); it != parser.end(); ++it) {
            if (*it >= capability.count() || seen[*it] || it.name() == nullptr) std::abort();
            seen[*it] = true;
        }
    } else {
        if (!isChannelError(status.code) || status.json == nullptr || orverr::documentEnd(status.json) == nullptr) {
            std::abort();
        }
    }
    // Parsing again gives the same answer.
    orverr::Status again;
    orvslid::ChannelParser second(capability);
    second.parse(text.c_str(), again);
    if (again.code != status.code || second.indices() != parser.indices()) std::abort();
    return 0;
}
