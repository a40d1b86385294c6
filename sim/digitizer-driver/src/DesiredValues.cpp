#include "DesiredValues.h"

namespace digiscan {

void DesiredValues::open(ViSession vi) {
    std::lock_guard<std::mutex> guard(mutex_);
    sessions_[vi].clear();
}

bool DesiredValues::close(ViSession vi) {
    std::lock_guard<std::mutex> guard(mutex_);
    return sessions_.erase(vi) != 0;
}

void DesiredValues::record(ViSession vi, ViAttr id, const std::string& channel, const SimIvi_Value& value) {
    std::lock_guard<std::mutex> guard(mutex_);
    auto session = sessions_.find(vi);
    if (session == sessions_.end()) return;
    DesiredValue& desired = session->second[Key(id, channel)];
    desired.value = value;
    desired.text = value.type == IVI_VAL_STRING && value.stringValue ? value.stringValue : "";
    desired.value.stringValue = nullptr;
}

bool DesiredValues::lookup(ViSession vi, ViAttr id, const std::string& channel, DesiredValue& value) const {
    std::lock_guard<std::mutex> guard(mutex_);
    auto session = sessions_.find(vi);
    if (session == sessions_.end()) return false;
    auto it = session->second.find(Key(id, channel));
    if (it == session->second.end()) return false;
    value = it->second;
    return true;
}

DesiredValuesInterface& desiredValues() {
    static DesiredValues* values = new DesiredValues;
    return *values;
}

}  // namespace digiscan
