#pragma once
// The translators that live inside this library, in lookup order: "mxlator_Digiscan" (the Lua
// translator), then the framework's "orvxlator_default". Listed here, where both are linked, so
// that the framework does not know its plug-in.
#include "helvar/orvxlator/LocalXlatorRegistration.h"

namespace orvmxl {

orvxlator::LocalXlatorRegistrations localXlatorRegistrations();

}  // namespace orvmxl
