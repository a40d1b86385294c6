#pragma once
// One engine session: its attributes in the order they were added, its repeated capabilities
// (channel tables) and its lock.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "SessionLock.h"
#include "Value.h"

namespace simivi {

struct Slot {
    Value value;
    bool setByUser = false;
    bool everSetByUser = false;
};

struct Attribute {
    ViAttr id = 0;
    std::string name;
    ViInt32 type = IVI_VAL_UNKNOWN_TYPE;
    IviAttrFlags flags = 0;
    const std::string* repCap = nullptr;  // null: not channel-based
    Value defaultValue;
    std::map<std::string, Slot> slots;     // by channel instance, "" for session-wide
    GenericCallback read = nullptr;
    GenericCallback write = nullptr;
    SimIvi_CoerceCallback coerce = nullptr;
    void* coerceContext = nullptr;

    Slot& slot(const std::string& key);
};

class Session {
public:
    ViStatus add(Attribute attribute);
    Attribute* find(ViAttr id);
    ViStatus remove(ViAttr id);
    ViInt32 count() const;
    ViAttr nth(ViInt32 zeroBasedIndex) const;

    ViStatus extendRepCap(const std::string& repCapName, ViConstString instanceList);
    // Pointers stay valid while the session lives.
    const std::string* repCapName(const std::string& repCapName) const;
    const std::string* instance(const std::string& repCapName, ViInt32 zeroBasedIndex) const;
    // The slot key of a channel name for an attribute, or the engine's refusal.
    ViStatus resolveKey(const Attribute& attribute, ViConstString channel, std::string& key) const;

    const std::shared_ptr<SessionLock>& lock() const { return lock_; }

private:
    std::vector<ViAttr> order_;
    // Indexed by id: benchmarks of the libraries above must measure them, not this stand-in.
    // Elements keep their addresses while they exist, as callers hold them across callbacks.
    std::unordered_map<ViAttr, Attribute> attributes_;
    std::map<std::string, std::deque<std::string>> repCaps_;
    std::shared_ptr<SessionLock> lock_ = std::make_shared<SessionLock>();
};

}  // namespace simivi
