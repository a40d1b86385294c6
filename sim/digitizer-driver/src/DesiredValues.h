#pragma once
// The values the user requested, per driver session, attribute and channel: the instrument
// coerces what it stores, the driver remembers what was asked for.
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

#include "SimIvi.h"

namespace digiscan {

struct DesiredValue {
    SimIvi_Value value{};  // stringValue unused; see text
    std::string text;
};

class DesiredValuesInterface {
public:
    virtual ~DesiredValuesInterface() = default;
    virtual void open(ViSession vi) = 0;
    // False when the session was not opened here.
    virtual bool close(ViSession vi) = 0;
    virtual void record(ViSession vi, ViAttr id, const std::string& channel, const SimIvi_Value& value) = 0;
    virtual bool lookup(ViSession vi, ViAttr id, const std::string& channel, DesiredValue& value) const = 0;
};

class DesiredValues : public DesiredValuesInterface {
public:
    void open(ViSession vi) override;
    bool close(ViSession vi) override;
    void record(ViSession vi, ViAttr id, const std::string& channel, const SimIvi_Value& value) override;
    bool lookup(ViSession vi, ViAttr id, const std::string& channel, DesiredValue& value) const override;

private:
    using Key = std::pair<ViAttr, std::string>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const noexcept {
            return std::hash<std::string>()(key.second) * 31u + key.first;
        }
    };
    mutable std::mutex mutex_;
    // Hashed: every desired-value read of an export looks here.
    std::unordered_map<ViSession, std::unordered_map<Key, DesiredValue, KeyHash>> sessions_;
};

DesiredValuesInterface& desiredValues();

}  // namespace digiscan
