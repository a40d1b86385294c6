#pragma once
// The Lua translator: a Lua 5.1 state with the embedded scripts and term tables, behind the
// shared translator table.
#include "common/orverr/Status.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace orvxlatorlua {

// Creates a translator from its name and registration text (JSON naming the translator script
// and its settings). Null with the status set on failure. Its destroy entry closes the state.
orvxlator::XlatorInterface* createLuaXlator(const char* name, const char* registrationInfo, orverr::Status& status);

// The factory of the local "mxlator_Digiscan" registration: createLuaXlator, then the global
// "orvmxl_unmapErrorCode" (codes are not remapped here).
orvxlator::XlatorInterface* createMxlator(const char* name, const char* registrationInfo, orverr::Status& status);

}  // namespace orvxlatorlua
