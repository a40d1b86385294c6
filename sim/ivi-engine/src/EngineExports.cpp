// The engine functions the stand-in implements. Every one is counted and can be hit by injections.
#include <cstdio>
#include <cstring>
#include <string>

#include "ErrorMessages.h"
#include "Export.h"

using simivi::Engine;
using simivi::GenericCallback;

namespace {
Engine& engine() { return Engine::instance(); }

template <class F>
GenericCallback generic(F callback) {
    return reinterpret_cast<GenericCallback>(callback);
}
}  // namespace

SIMIVI_EXPORT ViStatus Ivi_SpecificDriverNew(ViConstString specificPrefix, ViConstString optionString, ViSession* newVi) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().createSession(optionString, newVi));
}

SIMIVI_EXPORT ViStatus Ivi_Dispose(ViSession vi) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().destroySession(vi));
}

SIMIVI_EXPORT ViStatus Ivi_ValidateSession(ViSession vi) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().isSession(vi) ? VI_SUCCESS : IVI_ERROR_INVALID_SESSION_HANDLE);
}

SIMIVI_EXPORT ViBoolean Ivi_SessionIsAvailable(ViSession vi) {
    SIMIVI_ENTER_AS(ViBoolean, 0);
    return engine().isSession(vi) ? VI_TRUE : VI_FALSE;
}

SIMIVI_EXPORT ViStatus Ivi_LockSession(ViSession vi, ViBoolean* callerHasLock) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().lock(vi, callerHasLock));
}

SIMIVI_EXPORT ViStatus Ivi_UnlockSession(ViSession vi, ViBoolean* callerHasLock) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().unlock(vi, callerHasLock));
}

#define SIMIVI_FLAG_QUERY(Function, attributeId)       \
    SIMIVI_EXPORT ViBoolean Function(ViSession vi) {   \
        SIMIVI_ENTER_AS(ViBoolean, 0);                 \
        return engine().flag(vi, attributeId) ? VI_TRUE : VI_FALSE; \
    }
SIMIVI_FLAG_QUERY(Ivi_RangeChecking, IVI_ATTR_RANGE_CHECK)
SIMIVI_FLAG_QUERY(Ivi_QueryInstrStatus, IVI_ATTR_QUERY_INSTRUMENT_STATUS)
SIMIVI_FLAG_QUERY(Ivi_Simulating, IVI_ATTR_SIMULATE)
SIMIVI_FLAG_QUERY(Ivi_InterchangeCheck, IVI_ATTR_INTERCHANGE_CHECK)
#undef SIMIVI_FLAG_QUERY

// Neither spying nor class simulation drivers exist here; there is no I/O session.
SIMIVI_EXPORT ViBoolean Ivi_UseSpecificSimulation(ViSession vi) {
    SIMIVI_ENTER_AS(ViBoolean, 0);
    return VI_FALSE;
}
SIMIVI_EXPORT ViBoolean Ivi_Spying(ViSession vi) {
    SIMIVI_ENTER_AS(ViBoolean, 0);
    return VI_FALSE;
}
SIMIVI_EXPORT ViSession Ivi_IOSession(ViSession vi) {
    SIMIVI_ENTER_AS(ViSession, 0);
    return VI_NULL;
}

SIMIVI_EXPORT ViStatus Ivi_BuildRepCapTable(ViSession vi, ViConstString repCapName, ViConstString instanceList) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().extendRepCap(vi, repCapName, instanceList));
}
SIMIVI_EXPORT ViStatus Ivi_AddToRepCapTable(ViSession vi, ViConstString repCapName, ViConstString instanceList) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().extendRepCap(vi, repCapName, instanceList));
}
SIMIVI_EXPORT ViStatus Ivi_BuildChannelTable(ViSession vi, ViConstString channelList, ViBoolean allowUnknown,
                                             ViAddr reserved) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().extendRepCap(vi, "Channel", channelList));
}
SIMIVI_EXPORT ViStatus Ivi_AddToChannelTable(ViSession vi, ViConstString channelList) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().extendRepCap(vi, "Channel", channelList));
}
SIMIVI_EXPORT ViStatus Ivi_GetAttributeRepCapName(ViSession vi, ViAttr attributeId, ViConstString* repCapName) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().attributeRepCapName(vi, attributeId, repCapName));
}
SIMIVI_EXPORT ViStatus Ivi_GetNthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 index, ViConstString* name) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().nthRepCapName(vi, repCapName, index, name));
}
SIMIVI_EXPORT ViStatus Ivi_ValidateAttrForRepCapName(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().validateForChannel(vi, repCapName, attributeId));
}
SIMIVI_EXPORT ViStatus Ivi_ValidateAttrForChannel(ViSession vi, ViConstString channelName, ViAttr attributeId) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().validateForChannel(vi, channelName, attributeId));
}

// Range tables are not modelled, and string values are never read through a callback.
#define SIMIVI_ADD_WITH_RANGE(Suffix, T, Stored)                                                                  \
    SIMIVI_EXPORT ViStatus Ivi_AddAttribute##Suffix(ViSession vi, ViAttr id, ViConstString name, T defaultValue,     \
                                                    IviAttrFlags flags, ReadAttr##Suffix##_CallbackPtr read,        \
                                                    WriteAttr##Suffix##_CallbackPtr write, IviRangeTablePtr table) { \
        SIMIVI_ENTER(id);                                                                                          \
        if (table) SIMIVI_LEAVE(IVI_ERROR_FUNCTION_NOT_SUPPORTED);                                                 \
        SIMIVI_LEAVE(engine().addAttribute(vi, nullptr, id, name, flags, Stored(defaultValue), generic(read),      \
                                           generic(write)));                                                      \
    }                                                                                                              \
    SIMIVI_EXPORT ViStatus Ivi_AddRepeatedAttribute##Suffix(                                                       \
        ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, T defaultValue, IviAttrFlags flags, \
        ReadAttr##Suffix##_CallbackPtr read, WriteAttr##Suffix##_CallbackPtr write, IviRangeTablePtr table) {      \
        SIMIVI_ENTER(id);                                                                                          \
        if (table) SIMIVI_LEAVE(IVI_ERROR_FUNCTION_NOT_SUPPORTED);                                                 \
        if (!repCapName || !*repCapName) SIMIVI_LEAVE(IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY);                      \
        SIMIVI_LEAVE(engine().addAttribute(vi, repCapName, id, name, flags, Stored(defaultValue), generic(read),   \
                                           generic(write)));                                                      \
    }
#define SIMIVI_ADD(Suffix, T, Stored)                                                                              \
    SIMIVI_EXPORT ViStatus Ivi_AddAttribute##Suffix(ViSession vi, ViAttr id, ViConstString name, T defaultValue,     \
                                                    IviAttrFlags flags, ReadAttr##Suffix##_CallbackPtr read,        \
                                                    WriteAttr##Suffix##_CallbackPtr write) {                        \
        SIMIVI_ENTER(id);                                                                                          \
        SIMIVI_LEAVE(engine().addAttribute(vi, nullptr, id, name, flags, Stored(defaultValue), generic(read),      \
                                           generic(write)));                                                      \
    }                                                                                                              \
    SIMIVI_EXPORT ViStatus Ivi_AddRepeatedAttribute##Suffix(                                                       \
        ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, T defaultValue, IviAttrFlags flags, \
        ReadAttr##Suffix##_CallbackPtr read, WriteAttr##Suffix##_CallbackPtr write) {                              \
        SIMIVI_ENTER(id);                                                                                          \
        if (!repCapName || !*repCapName) SIMIVI_LEAVE(IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY);                      \
        SIMIVI_LEAVE(engine().addAttribute(vi, repCapName, id, name, flags, Stored(defaultValue), generic(read),   \
                                           generic(write)));                                                      \
    }
SIMIVI_ADD_WITH_RANGE(ViInt32, ViInt32, ViInt32)
SIMIVI_ADD_WITH_RANGE(ViInt64, ViInt64, ViInt64)
SIMIVI_ADD_WITH_RANGE(ViReal64, ViReal64, ViReal64)
SIMIVI_ADD(ViBoolean, ViBoolean, ViBoolean)
SIMIVI_ADD(ViSession, ViSession, ViSession)
SIMIVI_ADD(ViAddr, ViAddr, ViAddr)
#undef SIMIVI_ADD_WITH_RANGE
#undef SIMIVI_ADD

namespace {
ViStatus addString(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViConstString defaultValue,
                   IviAttrFlags flags, ReadAttrViString_CallbackPtr read, WriteAttrViString_CallbackPtr write) {
    if (read) return IVI_ERROR_FUNCTION_NOT_SUPPORTED;
    return engine().addAttribute(vi, repCapName, id, name, flags, std::string(defaultValue ? defaultValue : ""),
                                 nullptr, generic(write));
}
}  // namespace

SIMIVI_EXPORT ViStatus Ivi_AddAttributeViString(ViSession vi, ViAttr id, ViConstString name, ViConstString defaultValue,
                                                IviAttrFlags flags, ReadAttrViString_CallbackPtr read,
                                                WriteAttrViString_CallbackPtr write) {
    SIMIVI_ENTER(id);
    SIMIVI_LEAVE(addString(vi, nullptr, id, name, defaultValue, flags, read, write));
}
SIMIVI_EXPORT ViStatus Ivi_AddRepeatedAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id,
                                                        ViConstString name, ViConstString defaultValue,
                                                        IviAttrFlags flags, ReadAttrViString_CallbackPtr read,
                                                        WriteAttrViString_CallbackPtr write) {
    SIMIVI_ENTER(id);
    if (!repCapName || !*repCapName) SIMIVI_LEAVE(IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY);
    SIMIVI_LEAVE(addString(vi, repCapName, id, name, defaultValue, flags, read, write));
}

SIMIVI_EXPORT ViStatus Ivi_DeleteAttribute(ViSession vi, ViAttr attributeId) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().deleteAttribute(vi, attributeId));
}
SIMIVI_EXPORT ViBoolean Ivi_AttributeIsAvailable(ViSession vi, ViAttr attributeId) {
    SIMIVI_ENTER_AS(ViBoolean, attributeId);
    return engine().isAvailable(vi, attributeId) ? VI_TRUE : VI_FALSE;
}
SIMIVI_EXPORT ViStatus Ivi_ValidateAttribute(ViSession vi, ViAttr attributeId) {
    SIMIVI_ENTER(attributeId);
    if (!engine().isSession(vi)) SIMIVI_LEAVE(IVI_ERROR_INVALID_SESSION_HANDLE);
    SIMIVI_LEAVE(engine().isAvailable(vi, attributeId) ? VI_SUCCESS : IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED);
}
SIMIVI_EXPORT ViStatus Ivi_GetNumAttributes(ViSession vi, ViInt32* count) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().attributeCount(vi, count));
}
SIMIVI_EXPORT ViStatus Ivi_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr* attributeId) {
    SIMIVI_ENTER(0);
    SIMIVI_LEAVE(engine().nthAttribute(vi, index, attributeId));
}
SIMIVI_EXPORT ViStatus Ivi_GetAttributeName(ViSession vi, ViAttr attributeId, ViInt32 bufferSize, ViChar name[]) {
    SIMIVI_ENTER(attributeId);
    std::string text;
    const ViStatus status = engine().attributeName(vi, attributeId, text);
    if (status < 0) return status;
    SIMIVI_LEAVE(simivi::copyOut(text, bufferSize, name));
}
SIMIVI_EXPORT ViStatus Ivi_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32* dataType) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().attributeType(vi, attributeId, dataType));
}
SIMIVI_EXPORT ViStatus Ivi_GetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags* flags) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().attributeFlags(vi, attributeId, flags));
}
SIMIVI_EXPORT ViStatus Ivi_SetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags flags) {
    SIMIVI_ENTER(attributeId);
    SIMIVI_LEAVE(engine().setAttributeFlags(vi, attributeId, flags));
}
SIMIVI_EXPORT ViBoolean Ivi_AttributeWasSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
    SIMIVI_ENTER_AS(ViBoolean, attributeId);
    return engine().wasSetByUser(vi, repCapName, attributeId, false) ? VI_TRUE : VI_FALSE;
}
SIMIVI_EXPORT ViBoolean Ivi_AttributeEverSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
    SIMIVI_ENTER_AS(ViBoolean, attributeId);
    return engine().wasSetByUser(vi, repCapName, attributeId, true) ? VI_TRUE : VI_FALSE;
}

#define SIMIVI_SET_CHECK_GET(Suffix, T)                                                                            \
    SIMIVI_EXPORT ViStatus Ivi_SetAttribute##Suffix(ViSession vi, ViConstString repCapName, ViAttr id,             \
                                                    ViInt32 optionFlags, T value) {                                \
        SIMIVI_ENTER(id);                                                                                          \
        SIMIVI_LEAVE(engine().set<T>(vi, repCapName, id, optionFlags, value, false));                              \
    }                                                                                                              \
    SIMIVI_EXPORT ViStatus Ivi_CheckAttribute##Suffix(ViSession vi, ViConstString repCapName, ViAttr id,           \
                                                      ViInt32 optionFlags, T value) {                              \
        SIMIVI_ENTER(id);                                                                                          \
        SIMIVI_LEAVE(engine().set<T>(vi, repCapName, id, optionFlags, value, true));                               \
    }                                                                                                              \
    SIMIVI_EXPORT ViStatus Ivi_GetAttribute##Suffix(ViSession vi, ViConstString repCapName, ViAttr id,             \
                                                    ViInt32 optionFlags, T* value) {                               \
        SIMIVI_ENTER(id);                                                                                          \
        if (!value) SIMIVI_LEAVE(IVI_ERROR_NULL_POINTER);                                                          \
        SIMIVI_LEAVE(engine().get<T>(vi, repCapName, id, optionFlags, *value));                                    \
    }
SIMIVI_SET_CHECK_GET(ViInt32, ViInt32)
SIMIVI_SET_CHECK_GET(ViInt64, ViInt64)
SIMIVI_SET_CHECK_GET(ViReal64, ViReal64)
SIMIVI_SET_CHECK_GET(ViBoolean, ViBoolean)
SIMIVI_SET_CHECK_GET(ViSession, ViSession)
SIMIVI_SET_CHECK_GET(ViAddr, ViAddr)
#undef SIMIVI_SET_CHECK_GET

SIMIVI_EXPORT ViStatus Ivi_SetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags,
                                                ViConstString value) {
    SIMIVI_ENTER(id);
    if (!value) SIMIVI_LEAVE(IVI_ERROR_NULL_POINTER);
    SIMIVI_LEAVE(engine().set<std::string>(vi, repCapName, id, optionFlags, value, false));
}
SIMIVI_EXPORT ViStatus Ivi_CheckAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id,
                                                  ViInt32 optionFlags, ViConstString value) {
    SIMIVI_ENTER(id);
    if (!value) SIMIVI_LEAVE(IVI_ERROR_NULL_POINTER);
    SIMIVI_LEAVE(engine().set<std::string>(vi, repCapName, id, optionFlags, value, true));
}
SIMIVI_EXPORT ViStatus Ivi_GetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags,
                                                ViInt32 bufferSize, ViChar value[]) {
    SIMIVI_ENTER(id);
    std::string text;
    const ViStatus status = engine().get<std::string>(vi, repCapName, id, optionFlags, text);
    if (status < 0) return status;
    SIMIVI_LEAVE(simivi::copyOut(text, bufferSize, value));
}

SIMIVI_EXPORT ViStatus Ivi_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primary, ViStatus secondary,
                                        ViConstString elaboration) {
    SIMIVI_ENTER(0);
    if (vi != VI_NULL && !engine().isSession(vi)) SIMIVI_LEAVE(IVI_ERROR_INVALID_SESSION_HANDLE);
    engine().errors().set(vi, overwrite != VI_FALSE,
                          simivi::PendingError{primary, secondary, elaboration ? elaboration : ""});
    SIMIVI_LEAVE(VI_SUCCESS);
}
SIMIVI_EXPORT ViStatus Ivi_GetErrorInfo(ViSession vi, ViStatus* primary, ViStatus* secondary, ViChar elaboration[256]) {
    SIMIVI_ENTER(0);
    if (vi != VI_NULL && !engine().isSession(vi)) SIMIVI_LEAVE(IVI_ERROR_INVALID_SESSION_HANDLE);
    const simivi::PendingError pending = engine().errors().take(vi);
    if (primary) *primary = pending.primary;
    if (secondary) *secondary = pending.secondary;
    // The caller's array holds 256 bytes; a longer elaboration is cut there.
    if (elaboration) simivi::copyOut(pending.elaboration, 256, elaboration);
    SIMIVI_LEAVE(VI_SUCCESS);
}
SIMIVI_EXPORT ViStatus Ivi_ClearErrorInfo(ViSession vi) {
    SIMIVI_ENTER(0);
    if (vi != VI_NULL && !engine().isSession(vi)) SIMIVI_LEAVE(IVI_ERROR_INVALID_SESSION_HANDLE);
    engine().errors().clear(vi);
    SIMIVI_LEAVE(VI_SUCCESS);
}
SIMIVI_EXPORT ViStatus Ivi_GetErrorMessage(ViStatus code, ViChar message[256]) {
    SIMIVI_ENTER(0);
    if (!message) SIMIVI_LEAVE(IVI_ERROR_NULL_POINTER);
    simivi::copyOut(simivi::messageText(code), 256, message);
    SIMIVI_LEAVE(VI_SUCCESS);
}
SIMIVI_EXPORT ViStatus Ivi_ParamPositionError(ViInt32 position) {
    SIMIVI_ENTER(0);
    if (position >= 1 && position <= 8) return VI_ERROR_PARAMETER1 + (position - 1);
    return IVI_ERROR_INVALID_PARAMETER;
}
