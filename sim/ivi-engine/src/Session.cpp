#include "Session.h"

#include <algorithm>
#include <sstream>

namespace simivi {

namespace {
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}
}  // namespace

Slot& Attribute::slot(const std::string& key) {
    auto it = slots.find(key);
    if (it == slots.end()) it = slots.emplace(key, Slot{defaultValue, false, false}).first;
    return it->second;
}

ViStatus Session::add(Attribute attribute) {
    const ViAttr id = attribute.id;
    if (!attributes_.emplace(id, std::move(attribute)).second) return IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS;
    order_.push_back(id);
    return VI_SUCCESS;
}

Attribute* Session::find(ViAttr id) {
    auto it = attributes_.find(id);
    return it == attributes_.end() ? nullptr : &it->second;
}

ViStatus Session::remove(ViAttr id) {
    if (attributes_.erase(id) == 0) return IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED;
    order_.erase(std::find(order_.begin(), order_.end(), id));
    return VI_SUCCESS;
}

ViInt32 Session::count() const { return static_cast<ViInt32>(order_.size()); }

ViAttr Session::nth(ViInt32 zeroBasedIndex) const { return order_.at(static_cast<size_t>(zeroBasedIndex)); }

ViStatus Session::extendRepCap(const std::string& repCapName, ViConstString instanceList) {
    if (repCapName.empty()) return IVI_ERROR_INVALID_PARAMETER;
    std::deque<std::string>& instances = repCaps_[repCapName];
    std::istringstream list(instanceList ? instanceList : "");
    std::string item;
    while (std::getline(list, item, ',')) {
        item = trimmed(item);
        if (!item.empty() && std::find(instances.begin(), instances.end(), item) == instances.end())
            instances.push_back(item);
    }
    return VI_SUCCESS;
}

const std::string* Session::repCapName(const std::string& repCapName) const {
    auto it = repCaps_.find(repCapName);
    return it == repCaps_.end() ? nullptr : &it->first;
}

const std::string* Session::instance(const std::string& repCapName, ViInt32 zeroBasedIndex) const {
    auto it = repCaps_.find(repCapName);
    if (it == repCaps_.end() || zeroBasedIndex < 0 || static_cast<size_t>(zeroBasedIndex) >= it->second.size())
        return nullptr;
    return &it->second[static_cast<size_t>(zeroBasedIndex)];
}

ViStatus Session::resolveKey(const Attribute& attribute, ViConstString channel, std::string& key) const {
    const std::string name = channel ? channel : "";
    if (!attribute.repCap) {
        if (!name.empty()) return IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED;
        key.clear();
        return VI_SUCCESS;
    }
    const std::deque<std::string>& instances = repCaps_.at(*attribute.repCap);
    if (name.empty()) {
        // A channel table without instances leaves one session-wide value.
        if (!instances.empty()) return IVI_ERROR_CHANNEL_NAME_REQUIRED;
        key.clear();
        return VI_SUCCESS;
    }
    if (std::find(instances.begin(), instances.end(), name) == instances.end()) return IVI_ERROR_UNKNOWN_CHANNEL_NAME;
    key = name;
    return VI_SUCCESS;
}

}  // namespace simivi
