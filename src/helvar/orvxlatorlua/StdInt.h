#pragma once
// The Lua module "stdint": signed and unsigned 64-bit integers as userdata ("i64", "u64"),
// since Lua 5.1 numbers are doubles.
struct lua_State;

namespace orvxlatorlua {

// Opening function: returns the module table and leaves its registration to the caller.
int openStdInt(lua_State* L);

}  // namespace orvxlatorlua
