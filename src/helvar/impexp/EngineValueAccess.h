#pragma once
// The typed engine setter and desired-value reader for each transferable value type.
#include <string>

#include "common/orverr/Raise.h"
#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

// Option flags of a set made on the user's behalf (the attribute then reads as set by the user).
inline constexpr ViInt32 kUserSetOptionFlags = IVI_VAL_DIRECT_USER_CALL;

inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViInt32 v) {
    w.Ivi_SetAttributeViInt32(ch, id, kUserSetOptionFlags, v);
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViInt64 v) {
    w.Ivi_SetAttributeViInt64(ch, id, kUserSetOptionFlags, v);
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViReal64 v) {
    w.Ivi_SetAttributeViReal64(ch, id, kUserSetOptionFlags, v);
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, const std::string& v) {
    w.Ivi_SetAttributeViString(ch, id, kUserSetOptionFlags, v.c_str());
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViAddr v) {
    w.Ivi_SetAttributeViAddr(ch, id, kUserSetOptionFlags, v);
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViSession v) {
    w.Ivi_SetAttributeViSession(ch, id, kUserSetOptionFlags, v);
}
inline void setEngineValue(miivi::IviWrapperInterface& w, ViConstString ch, ViAttr id, ViBoolean v) {
    w.Ivi_SetAttributeViBoolean(ch, id, kUserSetOptionFlags, v);
}

inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViInt32& v) {
    h.getAttributeViInt32(w, ch, id, &v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViInt64& v) {
    h.getAttributeViInt64(w, ch, id, &v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViReal64& v) {
    h.getAttributeViReal64(w, ch, id, &v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, std::string& v) {
    h.getAttributeViString(w, ch, id, v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViAddr& v) {
    h.getAttributeViAddr(w, ch, id, &v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViSession& v) {
    h.getAttributeViSession(w, ch, id, &v);
}
inline void readDesiredValue(GetAttributeHelperInterface& h, miivi::IviWrapperInterface& w, ViConstString ch,
                             ViAttr id, ViBoolean& v) {
    h.getAttributeViBoolean(w, ch, id, &v);
}

// Refuses a value the session does not have: an attribute it does not offer, or a channel the
// attribute has no value for.
inline void checkEngineValue(miivi::IviWrapperInterface& w, ViAttr id, const std::string& channel) {
    if (w.Ivi_AttributeIsAvailable(id) == VI_FALSE) {
        ORVERR_THROW(orverr::codes::kInvalidAttributeValue).usageUInt32(usage::kAttributeId, id).raise();
    }
    if (w.Ivi_ValidateAttrForRepCapName(channel.c_str(), id) > 0) {
        ORVERR_THROW(orverr::codes::kAttributeTypeMismatch)
            .usageUInt32(usage::kAttributeId, id)
            .usage(usage::kChannelName, channel)
            .raise();
    }
}

// The engine's type code for an attribute; kTypeUnknown unless the engine says otherwise.
inline AttributeType queryEngineType(miivi::IviWrapperInterface& w, ViAttr id) {
    ViInt32 type = kTypeUnknown;
    w.Ivi_GetAttributeType(id, &type);
    return type;
}

}  // namespace impexp
