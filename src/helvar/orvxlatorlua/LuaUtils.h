#pragma once
// The native module "orvxlatorluautils": code-page conversion, path variables and explanation
// file lookups for the translator scripts. A failing status is raised as a Lua error whose
// message is the status document.
struct lua_State;

namespace orvxlatorlua {

// Opening function: returns the module table and leaves its registration to the caller.
int openLuaUtils(lua_State* L);

}  // namespace orvxlatorlua
