#pragma once
// The engine's value model: one variant over the seven attribute types and the per-type facts
// (type code, callback types, conversion to the control API's value record).
#include <string>
#include <variant>

#include "SimIvi.h"

namespace simivi {

// monostate: an attribute of a type code outside the seven, which holds no value.
using Value = std::variant<std::monostate, ViInt32, ViInt64, ViReal64, std::string, ViAddr, ViSession, ViBoolean>;
using GenericCallback = void (*)();

template <class T>
struct Traits;

#define SIMIVI_SCALAR_TRAITS(T, CODE, SUFFIX, MEMBER)                          \
    template <>                                                                \
    struct Traits<T> {                                                         \
        static constexpr ViInt32 kCode = CODE;                                 \
        using Read = ReadAttr##SUFFIX##_CallbackPtr;                           \
        using Write = WriteAttr##SUFFIX##_CallbackPtr;                         \
        using Arg = T;                                                         \
        static Arg pass(const T& v) { return v; }                              \
        static void toSim(const T& v, SimIvi_Value& s) { s.MEMBER = v; }       \
        static T fromSim(const SimIvi_Value& s) { return s.MEMBER; }           \
    };
SIMIVI_SCALAR_TRAITS(ViInt32, IVI_VAL_INT32, ViInt32, int32Value)
SIMIVI_SCALAR_TRAITS(ViInt64, IVI_VAL_INT64, ViInt64, int64Value)
SIMIVI_SCALAR_TRAITS(ViReal64, IVI_VAL_REAL64, ViReal64, real64Value)
SIMIVI_SCALAR_TRAITS(ViAddr, IVI_VAL_ADDR, ViAddr, addrValue)
SIMIVI_SCALAR_TRAITS(ViSession, IVI_VAL_SESSION, ViSession, sessionValue)
SIMIVI_SCALAR_TRAITS(ViBoolean, IVI_VAL_BOOLEAN, ViBoolean, booleanValue)
#undef SIMIVI_SCALAR_TRAITS

template <>
struct Traits<std::string> {
    static constexpr ViInt32 kCode = IVI_VAL_STRING;
    using Read = ReadAttrViString_CallbackPtr;
    using Write = WriteAttrViString_CallbackPtr;
    using Arg = ViConstString;
    static Arg pass(const std::string& v) { return v.c_str(); }
    static void toSim(const std::string& v, SimIvi_Value& s) { s.stringValue = v.c_str(); }
    static std::string fromSim(const SimIvi_Value& s) { return s.stringValue ? s.stringValue : ""; }
};

// The zero value of a type code; false (and no value) for a code outside the seven types.
bool zeroValue(ViInt32 type, Value& out);
// The type code of a value; IVI_VAL_UNKNOWN_TYPE for no value.
ViInt32 typeCode(const Value& value);

// The string protocol shared by every text the engine hands out: what fits, NUL-terminated, and
// the needed size (NUL included) when the buffer is too small; 0 when it fits.
ViStatus copyOut(const std::string& text, ViInt32 bufferSize, ViChar* buffer);

}  // namespace simivi
