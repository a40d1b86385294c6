#pragma once
// The channel table that channel lists of sessions and documents are parsed against: the 64
// instances "0" to "63". One read-only instance exists per process.
#include <map>
#include <string>
#include <vector>

#include "helvar/orvslid/ChannelParser.h"

namespace impexp {

class DefaultChannelCapabilityInfo : public orvslid::iRepCapInfo {
public:
    static constexpr uint32_t kChannelCount = 64;

    DefaultChannelCapabilityInfo();

    uint32_t indexOf(const char* name) const override;
    const char* nameOf(uint32_t index) const override;
    // All names joined by commas: "0,1,...,63".
    const char* capabilityName() const override;
    uint32_t count() const override;

    // The process-wide table, built when the library is loaded.
    static const DefaultChannelCapabilityInfo& instance();

private:
    std::string list_;
    std::vector<std::string> names_;
    std::map<std::string, uint32_t> indices_;
};

}  // namespace impexp
