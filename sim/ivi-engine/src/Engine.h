#pragma once
// The engine's state: sessions by handle, pending errors and injections. One mutex guards the
// sessions; it is recursive because coercion hooks and attribute callbacks may call back in.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "ErrorStore.h"
#include "InherentAttributes.h"
#include "InjectionTable.h"
#include "Session.h"

namespace simivi {

class Engine {
public:
    static Engine& instance();

    ErrorStoreInterface& errors() { return errors_; }
    InjectionTableInterface& injections() { return injections_; }

    ViStatus createSession(ViConstString optionString, ViSession* vi);
    ViStatus destroySession(ViSession vi);
    bool isSession(ViSession vi);
    ViInt32 sessionCount();
    void reset();

    ViStatus lock(ViSession vi, ViBoolean* callerHasLock);
    ViStatus unlock(ViSession vi, ViBoolean* callerHasLock);
    ViInt32 lockDepth(ViSession vi);

    ViStatus extendRepCap(ViSession vi, ViConstString repCapName, ViConstString instanceList);
    ViStatus addAttribute(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, IviAttrFlags flags,
                          Value defaultValue, GenericCallback read, GenericCallback write,
                          ViInt32 untypedCode = IVI_VAL_UNKNOWN_TYPE);
    ViStatus deleteAttribute(ViSession vi, ViAttr id);
    bool isAvailable(ViSession vi, ViAttr id);
    ViStatus attributeCount(ViSession vi, ViInt32* count);
    ViStatus nthAttribute(ViSession vi, ViInt32 oneBasedIndex, ViAttr* id);
    ViStatus attributeName(ViSession vi, ViAttr id, std::string& name);
    ViStatus attributeType(ViSession vi, ViAttr id, ViInt32* type);
    ViStatus attributeFlags(ViSession vi, ViAttr id, IviAttrFlags* flags);
    ViStatus setAttributeFlags(ViSession vi, ViAttr id, IviAttrFlags flags);
    ViStatus attributeRepCapName(ViSession vi, ViAttr id, ViConstString* repCapName);
    ViStatus nthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 oneBasedIndex, ViConstString* name);
    ViStatus validateForChannel(ViSession vi, ViConstString channel, ViAttr id);
    bool wasSetByUser(ViSession vi, ViConstString channel, ViAttr id, bool ever);
    ViStatus markSetByUser(ViSession vi, ViConstString channel, ViAttr id, bool setByUser);
    ViStatus setCoerceCallback(ViSession vi, ViAttr id, SimIvi_CoerceCallback callback, void* context);

    template <class T>
    ViStatus set(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, const T& value, bool checkOnly);
    template <class T>
    ViStatus get(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, T& value);
    // The value of a boolean session attribute, false when it cannot be read.
    bool flag(ViSession vi, ViAttr id);

private:
    ViStatus locate(ViSession vi, ViAttr id, Session*& session, Attribute*& attribute);
    template <class T>
    ViStatus getErrorAttribute(ViSession vi, ViConstString channel, ViAttr id, T& value);

    std::recursive_mutex mutex_;
    std::unordered_map<ViSession, std::unique_ptr<Session>> sessions_;
    ViSession lastHandle_ = 1000;
    ErrorStore errors_;
    InjectionTable injections_;
};


}  // namespace simivi
