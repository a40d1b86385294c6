#include "helvar/impexp/DefaultChannelCapabilityInfo.h"

namespace impexp {

namespace {
const DefaultChannelCapabilityInfo theTable;
}  // namespace

DefaultChannelCapabilityInfo::DefaultChannelCapabilityInfo() {
    for (uint32_t i = 0; i < kChannelCount; ++i) {
        names_.push_back(std::to_string(i));
        indices_.emplace(names_.back(), i);
        list_ += (i == 0 ? "" : ",") + names_.back();
    }
}

uint32_t DefaultChannelCapabilityInfo::indexOf(const char* name) const {
    if (name == nullptr) {
        return orvslid::kNoIndex;
    }
    const auto found = indices_.find(name);
    return found == indices_.end() ? orvslid::kNoIndex : found->second;
}

const char* DefaultChannelCapabilityInfo::nameOf(uint32_t index) const {
    return index < names_.size() ? names_[index].c_str() : nullptr;
}

const char* DefaultChannelCapabilityInfo::capabilityName() const { return list_.c_str(); }

uint32_t DefaultChannelCapabilityInfo::count() const { return kChannelCount; }

const DefaultChannelCapabilityInfo& DefaultChannelCapabilityInfo::instance() { return theTable; }

}  // namespace impexp
