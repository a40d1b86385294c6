#include "helvar/orvmxl/LocalXlatorRegistrations.h"

#include "helvar/orvxlator/NativeXlator.h"
#include "helvar/orvxlatorlua/LuaXlator.h"

namespace orvmxl {
namespace {

constexpr const char* kMxlatorRegistrationInfo =
    "{\"orvxlatorlua_xlator\":\"mxlator\",\"orvxlatorlua_settings\":{\"driverName\":\"Digiscan\","
    "\"orvSharedErrorsDir\":\"$_orvShared32Dir/Errors\",\"MIErrorsDir\":\"$_orvShared32Dir/MIerrors\"}}";

// Built at load, never changed.
const orvxlator::LocalXlatorRegistration kRegistrations[] = {
    {"mxlator_Digiscan", kMxlatorRegistrationInfo, &orvxlatorlua::createMxlator},
    orvxlator::kNativeXlatorRegistration,
};

}  // namespace

orvxlator::LocalXlatorRegistrations localXlatorRegistrations() {
    return {kRegistrations, sizeof(kRegistrations) / sizeof(kRegistrations[0])};
}

}  // namespace orvmxl
