#include "helvar/orvxlatorlua/LuaXlator.h"

#include <lua.hpp>

#include <cmath>
#include <cstring>
#include <new>

#include "common/orverr/Raise.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlatorlua/LuaShell.h"
#include "helvar/orvxlatorlua/LuaTerms.h"

namespace orvxlatorlua {
namespace {

// The shared table followed by the state, so the table pointer leads back to the state.
struct LuaXlator {
    orvxlator::XlatorInterface table;
    lua_State* state;
};

lua_State* stateOf(orvxlator::XlatorInterface* xlator) { return reinterpret_cast<LuaXlator*>(xlator)->state; }

// Protected: (entry name, arguments...) -> orvxlatorlua_xlator[entry name](arguments...).
int callXlatorEntry(lua_State* L) {
    lua_getglobal(L, global::kXlator);
    if (!lua_istable(L, -1)) return luaL_error(L, "%s is not a table", global::kXlator);
    lua_getfield(L, -1, lua_tostring(L, 1));
    if (!lua_isfunction(L, -1)) return luaL_error(L, "%s.%s is not a function", global::kXlator, lua_tostring(L, 1));
    lua_replace(L, 1);
    lua_pop(L, 1);
    lua_call(L, lua_gettop(L) - 1, 1);
    return 1;
}

// Calls the entry whose name and arguments (`count` values) are pushed above `base`, through
// the script's message handler. Leaves one value (result or error message) above the handler;
// returns the Lua status.
int callEntry(lua_State* L, int base, int count) {
    lua_getglobal(L, global::kErrHandler);
    lua_insert(L, base + 1);
    lua_pushcfunction(L, &callXlatorEntry);
    lua_insert(L, base + 2);
    return lua_pcall(L, count, 1, base + 1);
}

char* copyOut(const char* text, size_t length, orvxlator::XlatorReallocFunction allocate, void* context,
              orverr::Status& status) {
    if (allocate == nullptr) return nullptr;
    auto* out = static_cast<char*>(allocate(nullptr, length + 1, context, &status));
    if (out == nullptr) return nullptr;
    std::memcpy(out, text, length);
    out[length] = '\0';
    return out;
}

// A result that is neither text nor a number is a fault of the script, not an empty text.
void raiseBadResult(orverr::Status& status, lua_State* L, const char* debugText) {
    orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kSoftwareFaultInternal);
    orverr::JsonCursor cursor = orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug,
                                                  debugText);
    orverr::addString(cursor, debug::kResultType, luaL_typename(L, -1));
}

// Finishes a call: copies a text result out, or reports the failure. Restores the stack.
char* finishText(lua_State* L, int base, int result, const char* debugText, orvxlator::XlatorReallocFunction allocate,
                 void* context, orverr::Status& status) {
    char* out = nullptr;
    if (result != 0) {
        raiseLuaFailure(status, result, errorMessage(L), debugText);
    } else if (lua_type(L, -1) == LUA_TSTRING || lua_type(L, -1) == LUA_TNUMBER) {
        size_t length = 0;
        const char* text = lua_tolstring(L, -1, &length);
        out = copyOut(text, length, allocate, context, status);
    } else {
        raiseBadResult(status, L, debugText);
    }
    lua_settop(L, base);
    return out;
}

char* getStaticDesc(orvxlator::XlatorInterface* xlator, int32_t code, uint32_t languageWord,
                    orvxlator::XlatorReallocFunction allocate, void* context, orverr::Status* status) {
    orverr::Status scratch;
    orverr::Status& target = status ? *status : scratch;
    if (xlator == nullptr || target.isError()) return nullptr;
    lua_State* L = stateOf(xlator);
    const int base = lua_gettop(L);
    lua_pushstring(L, global::kGetStaticDesc);
    lua_pushinteger(L, code);
    lua_pushinteger(L, orvxlator::languageOf(languageWord));
    lua_pushinteger(L, orvxlator::adeOf(languageWord));
    const int result = callEntry(L, base, 4);
    return finishText(L, base, result, debug::kStaticDescFailed, allocate, context, target);
}

// A script's status code, written as the script returned it.
void installScriptCode(orverr::Status& status, int32_t code) {
    orverr::Status scriptStatus;
    orverr::Raise raise =
        ORVERR_RAISE_INTO(scriptStatus, (orverr::ErrorCode{code, kScriptCodeConstant}));
    orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug, debug::kDynamicDescFailed);
    // Installed only where setCode would install it: an earlier error stands.
    orverr::assign(status, scriptStatus);
}

char* getDynamicDesc(orvxlator::XlatorInterface* xlator, const char* document, uint32_t languageWord,
                     const char* format, orvxlator::XlatorReallocFunction allocate, void* context,
                     orverr::Status* status) {
    orverr::Status scratch;
    orverr::Status& target = status ? *status : scratch;
    if (xlator == nullptr || target.isError()) return nullptr;
    lua_State* L = stateOf(xlator);
    const int base = lua_gettop(L);
    lua_pushstring(L, global::kGetDynamicDesc);
    lua_pushstring(L, document ? document : "");
    lua_pushinteger(L, orvxlator::languageOf(languageWord));
    lua_pushinteger(L, orvxlator::adeOf(languageWord));
    lua_pushstring(L, format ? format : "");
    const int result = callEntry(L, base, 5);
    // A number, or text that reads as one, is a status code rather than a description.
    if (result == 0 && lua_isnumber(L, -1)) {
        installScriptCode(target, static_cast<int32_t>(lua_tointeger(L, -1)));
        lua_settop(L, base);
        return nullptr;
    }
    return finishText(L, base, result, debug::kDynamicDescFailed, allocate, context, target);
}

void destroy(orvxlator::XlatorInterface* xlator) {
    if (xlator == nullptr) return;
    lua_close(stateOf(xlator));
    delete reinterpret_cast<LuaXlator*>(xlator);
}

// Codes are not remapped here: the argument comes back as an integer.
int unmapErrorCode(lua_State* L) {
    const lua_Number value = luaL_checknumber(L, 1);
    const bool inRange = !std::isnan(value) && value > -9.2e18 && value < 9.2e18;
    lua_pushinteger(L, inRange ? static_cast<lua_Integer>(value) : 0);
    return 1;
}

}  // namespace

orvxlator::XlatorInterface* createLuaXlator(const char* name, const char* registrationInfo, orverr::Status& status) {
    if (status.isError()) return nullptr;
    auto* xlator = new (std::nothrow) LuaXlator{};
    if (xlator == nullptr) {
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kMemoryFull);
        orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug,
                          debug::kCreateStateFailed);
        return nullptr;
    }
    xlator->state = createShellState(name, registrationInfo, status);
    if (xlator->state == nullptr) {
        delete xlator;
        return nullptr;
    }
    xlator->table = orvxlator::XlatorInterface{sizeof(orvxlator::XlatorInterface), &destroy, &getStaticDesc,
                                               &getDynamicDesc};
    return &xlator->table;
}

orvxlator::XlatorInterface* createMxlator(const char* name, const char* registrationInfo, orverr::Status& status) {
    orvxlator::XlatorInterface* xlator = createLuaXlator(name, registrationInfo, status);
    if (xlator != nullptr) lua_register(stateOf(xlator), global::kUnmapErrorCode, &unmapErrorCode);
    return xlator;
}

}  // namespace orvxlatorlua
