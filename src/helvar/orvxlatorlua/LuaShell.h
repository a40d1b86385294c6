#pragma once
// Building a translator's Lua state: the libraries in their fixed order, the embedded modules
// in package.preload, then the translator environment. Status-in/status-out.
#include "common/orverr/JsonCursor.h"
#include "common/orverr/Status.h"

struct lua_State;

namespace orvxlatorlua {

// Null with the status set on failure; the caller closes a returned state.
lua_State* createShellState(const char* name, const char* registrationInfo, orverr::Status& status);

// Adds internal_error {"api": "lua", "code", "string"} and orvxlatorlua_debug {"debug": text}
// under orvapalerr_softwareFaultAPALInternalUseOnly, when the status has no error yet. Returns
// the cursor inside the debug object, for further members.
orverr::JsonCursor raiseLuaFailure(orverr::Status& status, int luaStatus, const char* message, const char* debugText);

// The Lua error message on top of the stack, or a placeholder when it is not text.
const char* errorMessage(lua_State* L);

}  // namespace orvxlatorlua
