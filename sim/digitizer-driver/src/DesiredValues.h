#pragma once
// The values the user requested, per driver session, attribute and channel: the instrument
// coerces what it stores, the driver remembers what was asked for.
#include <map>
#include <mutex>
#include <string>
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
    mutable std::mutex mutex_;
    std::map<ViSession, std::map<Key, DesiredValue>> sessions_;
};

DesiredValuesInterface& desiredValues();

}  // namespace digiscan
