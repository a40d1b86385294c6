#include "helvar/orvxlator/LocalXlatorRegistration.h"

#include "helvar/orvxlator/NativeXlator.h"
#include "helvar/orvxlatorlua/LuaXlator.h"

namespace orvxlator {
namespace {

constexpr const char* kMxlatorRegistrationInfo =
    "{\"orvxlatorlua_xlator\":\"mxlator\",\"orvxlatorlua_settings\":{\"driverName\":\"Digiscan\","
    "\"orvSharedErrorsDir\":\"$_orvShared32Dir/Errors\",\"MIErrorsDir\":\"$_orvShared32Dir/MIerrors\"}}";

// Built at load, never changed.
const LocalXlatorRegistration kRegistrations[] = {
    {"mxlator_Digiscan", kMxlatorRegistrationInfo, &orvxlatorlua::createMxlator},
    {kDefaultXlatorName, "{}", &createNativeXlator},
};

}  // namespace

LocalXlatorRegistrations localXlatorRegistrations() {
    return {kRegistrations, sizeof(kRegistrations) / sizeof(kRegistrations[0])};
}

}  // namespace orvxlator
