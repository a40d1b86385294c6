// The control API: neither counted nor injectable, and present on every build variant.
#include <string>

#include "ErrorMessages.h"
#include "Export.h"

using simivi::Engine;

namespace {
Engine& engine() { return Engine::instance(); }
}  // namespace

SIMIVI_EXPORT ViStatus SimIvi_CreateSession(ViConstString optionString, ViSession* vi) {
    return engine().createSession(optionString, vi);
}
SIMIVI_EXPORT ViStatus SimIvi_DestroySession(ViSession vi) { return engine().destroySession(vi); }
SIMIVI_EXPORT ViInt32 SimIvi_SessionCount(void) { return engine().sessionCount(); }
SIMIVI_EXPORT void SimIvi_Reset(void) { engine().reset(); }

SIMIVI_EXPORT ViStatus SimIvi_BuildRepCap(ViSession vi, ViConstString repCapName, ViConstString instanceList) {
    return engine().extendRepCap(vi, repCapName, instanceList);
}

SIMIVI_EXPORT ViStatus SimIvi_AddAttribute(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name,
                                           ViInt32 type, IviAttrFlags flags) {
    simivi::Value zero;
    simivi::zeroValue(type, zero);
    return engine().addAttribute(vi, repCapName, id, name, flags, std::move(zero), nullptr, nullptr, type);
}

SIMIVI_EXPORT ViStatus SimIvi_AddAttributeWithDefault(ViSession vi, ViConstString repCapName, ViAttr id,
                                                      ViConstString name, IviAttrFlags flags,
                                                      const SimIvi_Value* defaultValue) {
    if (!defaultValue) return IVI_ERROR_NULL_POINTER;
    simivi::Value value;
    switch (defaultValue->type) {
        case IVI_VAL_INT32: value = defaultValue->int32Value; break;
        case IVI_VAL_INT64: value = defaultValue->int64Value; break;
        case IVI_VAL_REAL64: value = defaultValue->real64Value; break;
        case IVI_VAL_STRING: value = std::string(defaultValue->stringValue ? defaultValue->stringValue : ""); break;
        case IVI_VAL_ADDR: value = defaultValue->addrValue; break;
        case IVI_VAL_SESSION: value = defaultValue->sessionValue; break;
        case IVI_VAL_BOOLEAN: value = defaultValue->booleanValue; break;
        default: return IVI_ERROR_INVALID_PARAMETER;
    }
    return engine().addAttribute(vi, repCapName, id, name, flags, std::move(value), nullptr, nullptr);
}

SIMIVI_EXPORT ViStatus SimIvi_SetAttribute(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags,
                                           const SimIvi_Value* value) {
    if (!value) return IVI_ERROR_NULL_POINTER;
    switch (value->type) {
        case IVI_VAL_INT32: return engine().set<ViInt32>(vi, channel, id, optionFlags, value->int32Value, false);
        case IVI_VAL_INT64: return engine().set<ViInt64>(vi, channel, id, optionFlags, value->int64Value, false);
        case IVI_VAL_REAL64: return engine().set<ViReal64>(vi, channel, id, optionFlags, value->real64Value, false);
        case IVI_VAL_STRING:
            if (!value->stringValue) return IVI_ERROR_NULL_POINTER;
            return engine().set<std::string>(vi, channel, id, optionFlags, value->stringValue, false);
        case IVI_VAL_ADDR: return engine().set<ViAddr>(vi, channel, id, optionFlags, value->addrValue, false);
        case IVI_VAL_SESSION: return engine().set<ViSession>(vi, channel, id, optionFlags, value->sessionValue, false);
        case IVI_VAL_BOOLEAN: return engine().set<ViBoolean>(vi, channel, id, optionFlags, value->booleanValue, false);
        default: return IVI_ERROR_INVALID_PARAMETER;
    }
}

SIMIVI_EXPORT ViStatus SimIvi_GetAttribute(ViSession vi, ViConstString channel, ViAttr id, SimIvi_Value* value) {
    if (!value) return IVI_ERROR_NULL_POINTER;
    ViInt32 type = IVI_VAL_UNKNOWN_TYPE;
    ViStatus status = simivi::isErrorAttribute(id) ? VI_SUCCESS : engine().attributeType(vi, id, &type);
    if (status < 0) return status;
    if (simivi::isErrorAttribute(id)) type = id == IVI_ATTR_ERROR_ELABORATION ? IVI_VAL_STRING : IVI_VAL_INT32;
    *value = SimIvi_Value{};
    value->type = type;
    switch (type) {
        case IVI_VAL_INT32: return engine().get<ViInt32>(vi, channel, id, 0, value->int32Value);
        case IVI_VAL_INT64: return engine().get<ViInt64>(vi, channel, id, 0, value->int64Value);
        case IVI_VAL_REAL64: return engine().get<ViReal64>(vi, channel, id, 0, value->real64Value);
        case IVI_VAL_ADDR: return engine().get<ViAddr>(vi, channel, id, 0, value->addrValue);
        case IVI_VAL_SESSION: return engine().get<ViSession>(vi, channel, id, 0, value->sessionValue);
        case IVI_VAL_BOOLEAN: return engine().get<ViBoolean>(vi, channel, id, 0, value->booleanValue);
        default: return IVI_ERROR_TYPES_DO_NOT_MATCH;  // strings: SimIvi_GetAttributeString
    }
}

SIMIVI_EXPORT ViStatus SimIvi_GetAttributeString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 bufferSize,
                                                 ViChar value[]) {
    std::string text;
    const ViStatus status = engine().get<std::string>(vi, channel, id, 0, text);
    if (status < 0) return status;
    return simivi::copyOut(text, bufferSize, value);
}

SIMIVI_EXPORT ViStatus SimIvi_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags,
                                                  ViInt64 value) {
    return engine().set<ViInt64>(vi, channel, id, optionFlags, value, false);
}
SIMIVI_EXPORT ViStatus SimIvi_GetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt64* value) {
    if (!value) return IVI_ERROR_NULL_POINTER;
    return engine().get<ViInt64>(vi, channel, id, 0, *value);
}

SIMIVI_EXPORT ViStatus SimIvi_SetAsUser(ViSession vi, ViConstString channel, ViAttr id, ViBoolean setByUser) {
    return engine().markSetByUser(vi, channel, id, setByUser != VI_FALSE);
}

SIMIVI_EXPORT ViStatus SimIvi_SetCoerceCallback(ViSession vi, ViAttr id, SimIvi_CoerceCallback callback,
                                                void* context) {
    return engine().setCoerceCallback(vi, id, callback, context);
}

SIMIVI_EXPORT ViStatus SimIvi_Inject(ViConstString function, ViInt32 mode, ViStatus status, ViAttr attributeId,
                                     ViInt32 skipCalls, ViInt32 times) {
    if (!function) return IVI_ERROR_NULL_POINTER;
    if ((mode != SIMIVI_INJECT_FAIL && mode != SIMIVI_INJECT_WARN) || skipCalls < 0 || times < -1 || times == 0)
        return IVI_ERROR_INVALID_PARAMETER;
    engine().injections().add(function, mode, status, attributeId, skipCalls, times);
    return VI_SUCCESS;
}
SIMIVI_EXPORT ViStatus SimIvi_InjectFailure(ViConstString function, ViStatus status, ViInt32 skipCalls, ViInt32 times) {
    return SimIvi_Inject(function, SIMIVI_INJECT_FAIL, status, 0, skipCalls, times);
}
SIMIVI_EXPORT ViStatus SimIvi_InjectWarning(ViConstString function, ViStatus warning, ViInt32 skipCalls, ViInt32 times) {
    return SimIvi_Inject(function, SIMIVI_INJECT_WARN, warning, 0, skipCalls, times);
}
SIMIVI_EXPORT void SimIvi_ClearInjections(void) { engine().injections().clearInjections(); }

SIMIVI_EXPORT ViInt32 SimIvi_CallCount(ViConstString function) {
    return function ? engine().injections().callCount(function) : 0;
}
SIMIVI_EXPORT void SimIvi_ResetCounters(void) { engine().injections().resetCounters(); }
SIMIVI_EXPORT void SimIvi_SetBookkeeping(ViBoolean on) { engine().injections().setBookkeeping(on != VI_FALSE); }

SIMIVI_EXPORT ViInt32 SimIvi_BeginCall(ViConstString function, ViAttr attributeId, SimIvi_CallToken* token) {
    const SimIvi_CallToken result = function ? engine().injections().begin(function, attributeId) : SimIvi_CallToken{0, 0};
    if (token) *token = result;
    return result.action;
}
SIMIVI_EXPORT ViStatus SimIvi_EndCall(const SimIvi_CallToken* token, ViStatus result) {
    return token ? simivi::finishCall(*token, result) : result;
}

SIMIVI_EXPORT ViStatus SimIvi_CopyOut(ViConstString text, ViInt32 bufferSize, ViChar buffer[]) {
    return simivi::copyOut(text ? text : "", bufferSize, buffer);
}

SIMIVI_EXPORT ViInt32 SimIvi_LockCount(ViSession vi) { return engine().lockDepth(vi); }

SIMIVI_EXPORT ViStatus SimIvi_GetPendingError(ViSession vi, ViStatus* primary, ViStatus* secondary,
                                              ViInt32 bufferSize, ViChar elaboration[]) {
    if (vi != VI_NULL && !engine().isSession(vi)) return IVI_ERROR_INVALID_SESSION_HANDLE;
    const simivi::PendingError pending = engine().errors().peek(vi);
    if (primary) *primary = pending.primary;
    if (secondary) *secondary = pending.secondary;
    return simivi::copyOut(pending.elaboration, bufferSize, elaboration);
}

SIMIVI_EXPORT ViStatus SimIvi_ClearPendingError(ViSession vi) {
    if (vi != VI_NULL && !engine().isSession(vi)) return IVI_ERROR_INVALID_SESSION_HANDLE;
    engine().errors().clear(vi);
    return VI_SUCCESS;
}

SIMIVI_EXPORT ViStatus SimIvi_GetErrorMessage(ViStatus code, ViInt32 bufferSize, ViChar message[]) {
    return simivi::copyOut(simivi::messageText(code), bufferSize, message);
}
