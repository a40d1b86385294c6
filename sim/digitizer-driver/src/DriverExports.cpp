// The driver's exports. It builds its sessions and reads values through the engine's control API
// only, so it loads and works on every build variant of the engine.
#include <string>
#include <vector>

#include "AttributeTable.h"
#include "DesiredValues.h"
#include "Digiscan.h"
#include "DriverExport.h"
#include "DriverSetup.h"

namespace digiscan {
namespace {

const ViInt32 kDriverSetupSize = 1024;

bool rangeChecking(ViSession vi) {
    SimIvi_Value value{};
    // A session that lacks the setting checks ranges, as the engine's default does.
    return SimIvi_GetAttribute(vi, "", IVI_ATTR_RANGE_CHECK, &value) < 0 || value.booleanValue != VI_FALSE;
}

// Coerces as the instrument does and remembers the request of a set that will be stored.
ViStatus coerceHook(ViSession vi, ViConstString channel, ViAttr id, ViBoolean checkOnly, SimIvi_Value* value,
                    void* context) {
    const AttributeDefinition& definition = *static_cast<const AttributeDefinition*>(context);
    const SimIvi_Value requested = *value;
    thread_local std::string coercedText;
    if (definition.coerce) {
        const ViStatus status = definition.coerce(*value, rangeChecking(vi), coercedText);
        if (status < 0) return status;
    }
    if (!checkOnly) desiredValues().record(vi, id, channel ? channel : "", requested);
    return VI_SUCCESS;
}

std::string channelList(ViInt32 channels) {
    std::string list;
    for (ViInt32 i = 0; i < channels; ++i) list += (i ? "," : "") + std::to_string(i);
    return list;
}

ViStatus buildSession(ViSession vi, const DriverSetup& setup) {
    ViStatus status = SimIvi_BuildRepCap(vi, DIGISCAN_REPCAP_CHANNEL, channelList(setup.channels).c_str());
    size_t count = 0;
    const AttributeDefinition* table = attributeTable(count);
    for (size_t i = 0; i < count && status >= 0; ++i) {
        const AttributeDefinition& definition = table[i];
        if (setup.omitted.count(definition.id)) continue;
        SimIvi_Value initial = definition.defaultValue;
        if (definition.id == DIGISCAN_ATTR_MODEL_NUMBER) initial.int32Value = setup.model;
        if (definition.id == DIGISCAN_ATTR_LANGUAGE) initial.int32Value = setup.language;
        status = SimIvi_AddAttributeWithDefault(vi, definition.perChannel ? DIGISCAN_REPCAP_CHANNEL : nullptr,
                                                definition.id, definition.name, definition.flags, &initial);
        if (status >= 0)
            status = SimIvi_SetCoerceCallback(vi, definition.id, coerceHook, const_cast<AttributeDefinition*>(&definition));
    }
    return status;
}

// The desired value of a read with options 1, else the engine's (coerced) value.
ViStatus readValue(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViInt32 type, SimIvi_Value& value,
                   std::string& text) {
    ViStatus status;
    if (type == IVI_VAL_STRING) {
        status = SimIvi_GetAttributeString(vi, channel, id, 0, nullptr);
        if (status < 0) return status;
        std::vector<ViChar> buffer(static_cast<size_t>(status > 0 ? status : 1));
        status = SimIvi_GetAttributeString(vi, channel, id, static_cast<ViInt32>(buffer.size()), buffer.data());
        if (status < 0) return status;
        text = buffer.data();
        value = SimIvi_Value{};
        value.type = IVI_VAL_STRING;
    } else {
        status = SimIvi_GetAttribute(vi, channel, id, &value);
        if (status < 0) return status;
        if (value.type != type) return IVI_ERROR_TYPES_DO_NOT_MATCH;
    }
    DesiredValue desired;
    if ((options & 1) && desiredValues().lookup(vi, id, channel ? channel : "", desired) && desired.value.type == type) {
        value = desired.value;
        text = desired.text;
    }
    return VI_SUCCESS;
}

template <class T>
ViStatus readScalar(const char* function, ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, T* out,
                    ViInt32 type, T SimIvi_Value::*member) {
    SimIvi_CallToken token;
    if (SimIvi_BeginCall(function, id, &token) == SIMIVI_INJECT_FAIL) return token.status;
    if (!out) return SimIvi_EndCall(&token, IVI_ERROR_NULL_POINTER);
    SimIvi_Value value{};
    std::string unused;
    const ViStatus status = readValue(vi, channel, id, options, type, value, unused);
    if (status >= 0) *out = value.*member;
    return SimIvi_EndCall(&token, status);
}

ViStatus setAsUser(ViSession vi, ViConstString channel, ViAttr id, SimIvi_Value value) {
    return SimIvi_SetAttribute(vi, channel, id, IVI_VAL_DIRECT_USER_CALL, &value);
}

}  // namespace
}  // namespace digiscan

using namespace digiscan;

DIGISCAN_EXPORT ViStatus Digiscan_InitWithOptions(ViConstString resourceName, ViBoolean idQuery, ViBoolean reset,
                                                  ViConstString optionString, ViSession* vi) {
    if (!vi) return IVI_ERROR_NULL_POINTER;
    *vi = VI_NULL;
    ViSession session = VI_NULL;
    ViStatus status = SimIvi_CreateSession(optionString, &session);
    if (status < 0) return status;
    std::vector<ViChar> text(kDriverSetupSize);
    status = SimIvi_GetAttributeString(session, "", IVI_ATTR_DRIVER_SETUP, kDriverSetupSize, text.data());
    DriverSetup setup;
    if (status == VI_SUCCESS) status = parseDriverSetup(text.data(), setup);
    else if (status > 0) status = IVI_ERROR_INVALID_VALUE;  // a driver setup longer than any we understand
    if (status >= 0) {
        desiredValues().open(session);
        status = buildSession(session, setup);
    }
    if (status < 0) {
        desiredValues().close(session);
        SimIvi_DestroySession(session);
        return status;
    }
    *vi = session;
    return VI_SUCCESS;
}

DIGISCAN_EXPORT ViStatus Digiscan_close(ViSession vi) {
    if (!desiredValues().close(vi)) return IVI_ERROR_INVALID_SESSION_HANDLE;
    return SimIvi_DestroySession(vi);
}

DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_INT32;
    v.int32Value = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt64 value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_INT64;
    v.int64Value = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViReal64 value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_REAL64;
    v.real64Value = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViBoolean value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_BOOLEAN;
    v.booleanValue = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViConstString value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_STRING;
    v.stringValue = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViSession value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_SESSION;
    v.sessionValue = value;
    return setAsUser(vi, channel, id, v);
}
DIGISCAN_EXPORT ViStatus Digiscan_SetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViAddr value) {
    SimIvi_Value v{};
    v.type = IVI_VAL_ADDR;
    v.addrValue = value;
    return setAsUser(vi, channel, id, v);
}

DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViInt32(ViSession vi, ViConstString channel, ViAttr id,
                                                                    ViInt32 options, ViInt32* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_INT32, &SimIvi_Value::int32Value);
}
DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViInt64(ViSession vi, ViConstString channel, ViAttr id,
                                                                    ViInt32 options, ViInt64* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_INT64, &SimIvi_Value::int64Value);
}
DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViReal64(ViSession vi, ViConstString channel, ViAttr id,
                                                                     ViInt32 options, ViReal64* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_REAL64, &SimIvi_Value::real64Value);
}
DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViBoolean(ViSession vi, ViConstString channel, ViAttr id,
                                                                      ViInt32 options, ViBoolean* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_BOOLEAN, &SimIvi_Value::booleanValue);
}
DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViSession(ViSession vi, ViConstString channel, ViAttr id,
                                                                      ViInt32 options, ViSession* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_SESSION, &SimIvi_Value::sessionValue);
}
DIGISCAN_EXPORT ViStatus DigiscanSub_GetAttributeWithOptionsViAddr(ViSession vi, ViConstString channel, ViAttr id,
                                                                   ViInt32 options, ViAddr* value) {
    return readScalar(__func__, vi, channel, id, options, value, IVI_VAL_ADDR, &SimIvi_Value::addrValue);
}
DIGISCAN_EXPORT ViInt32 DigiscanSub_GetAttributeWithOptionsViString(ViSession vi, ViConstString channel, ViAttr id,
                                                                    ViInt32 options, ViInt32 bufferSize, ViChar value[]) {
    SimIvi_CallToken token;
    if (SimIvi_BeginCall(__func__, id, &token) == SIMIVI_INJECT_FAIL) return token.status;
    SimIvi_Value unused{};
    std::string text;
    ViStatus status = readValue(vi, channel, id, options, IVI_VAL_STRING, unused, text);
    if (status >= 0) status = SimIvi_CopyOut(text.c_str(), bufferSize, value);
    return SimIvi_EndCall(&token, status);
}
