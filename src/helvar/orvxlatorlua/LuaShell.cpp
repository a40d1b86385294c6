#include "helvar/orvxlatorlua/LuaShell.h"

#include <lua.hpp>
// The library headers expect lua.h first; lua-cjson's declares its opener without C linkage.
#include <lfs.h>
extern "C" {
#include <lua-cjson.h>
}

#include <cstdio>
#include <cstring>

#include "common/orverr/InternalError.h"
#include "common/orverr/Raise.h"
#include "helvar/orvxlatorlua/EmbeddedModules.h"
#include "helvar/orvxlatorlua/LuaTerms.h"
#include "helvar/orvxlatorlua/LuaUtils.h"
#include "helvar/orvxlatorlua/StdInt.h"
#include "helvar/orvxlatorlua/TermTables.h"

namespace orvxlatorlua {
namespace {

struct Library {
    const char* name;  // the global table it creates
    lua_CFunction open;
    // lfs, cjson and our own modules return their table without (fully) registering it, and
    // require must find them with empty search paths.
    bool registerResult;
};

const Library kLibraries[] = {
    {"_G", &luaopen_base, false},      {LUA_LOADLIBNAME, &luaopen_package, false},
    {LUA_TABLIBNAME, &luaopen_table, false}, {LUA_IOLIBNAME, &luaopen_io, false},
    {LUA_OSLIBNAME, &luaopen_os, false}, {LUA_STRLIBNAME, &luaopen_string, false},
    {LUA_MATHLIBNAME, &luaopen_math, false}, {LUA_DBLIBNAME, &luaopen_debug, false},
    {"lfs", &luaopen_lfs, true},       {"stdint", &openStdInt, true},
    {"cjson", &luaopen_cjson, true},   {"orvxlatorluautils", &openLuaUtils, true},
};

// Protected: opens the library given as light userdata.
int openLibrary(lua_State* L) {
    const Library& library = *static_cast<const Library*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    lua_pushcfunction(L, library.open);
    // The base library takes "" as its name, as luaL_openlibs gives it.
    lua_pushstring(L, library.open == &luaopen_base ? "" : library.name);
    lua_call(L, 1, 1);
    if (library.registerResult) {
        lua_getglobal(L, LUA_LOADLIBNAME);
        lua_getfield(L, -1, "loaded");
        lua_pushvalue(L, 1);
        lua_setfield(L, -2, library.name);
        lua_pop(L, 2);
        lua_setglobal(L, library.name);
    }
    return 0;
}

bool openLibraries(lua_State* L, orverr::Status& status) {
    for (const Library& library : kLibraries) {
        lua_pushcfunction(L, &openLibrary);
        lua_pushlightuserdata(L, const_cast<Library*>(&library));
        const int result = lua_pcall(L, 1, 0, 0);
        if (result != 0) {
            orverr::addString(raiseLuaFailure(status, result, errorMessage(L), debug::kLoadLibFailed), debug::kLib,
                              library.name);
            return false;
        }
    }
    return true;
}

// The preload loader of a script: loads its chunk (bytecode made at build time) at its first
// require, so a translation pays only for the modules it uses.
int loadScript(lua_State* L) {
    const EmbeddedModule& module = *static_cast<const EmbeddedModule*>(lua_touserdata(L, lua_upvalueindex(1)));
    if (luaL_loadbuffer(L, module.source, module.size, module.fileName) != 0) {
        std::fprintf(stderr, kModuleLoadFailedFormat, module.fileName, errorMessage(L));
        return lua_error(L);
    }
    lua_pushvalue(L, 1);
    lua_call(L, 1, 1);
    return 1;
}

bool hasScriptExtension(const char* fileName, std::size_t& baseLength) {
    const std::size_t length = std::strlen(fileName);
    for (const char* extension : {".lua", ".luac"}) {
        const std::size_t extensionLength = std::strlen(extension);
        if (length > extensionLength && std::strcmp(fileName + length - extensionLength, extension) == 0) {
            baseLength = length - extensionLength;
            return true;
        }
    }
    return false;
}

// Protected: fills package.preload.
int registerPreload(lua_State* L) {
    lua_getglobal(L, LUA_LOADLIBNAME);
    lua_getfield(L, -1, "preload");
    for (std::size_t i = 0; i < embeddedModuleCount(); ++i) {
        const EmbeddedModule& module = embeddedModules()[i];
        std::size_t baseLength = 0;
        if (!hasScriptExtension(module.fileName, baseLength)) continue;
        lua_pushlstring(L, module.fileName, baseLength);
        if (module.source != nullptr) {
            lua_pushlightuserdata(L, const_cast<EmbeddedModule*>(&module));
            lua_pushcclosure(L, &loadScript, 1);
        } else {
            const TermTable* table = findTermTable(module.termLanguage);
            if (table == nullptr) {
                lua_pop(L, 1);
                continue;
            }
            lua_pushlightuserdata(L, const_cast<TermTable*>(table));
            lua_pushcclosure(L, &loadTermModule, 1);
        }
        lua_settable(L, -3);
    }
    return 0;
}

// Protected: require("orvxlatorlua"), then orvxlatorlua_setupEnv(name, registrationInfo).
int setupEnvironment(lua_State* L) {
    lua_getglobal(L, "require");
    lua_pushstring(L, global::kShellModule);
    lua_call(L, 1, 0);
    lua_getglobal(L, global::kSetupEnv);
    lua_pushvalue(L, 1);
    lua_pushvalue(L, 2);
    lua_call(L, 2, 0);
    return 0;
}

}  // namespace

const char* errorMessage(lua_State* L) {
    const char* message = lua_tostring(L, -1);
    return message != nullptr ? message : "(error object is not a string)";
}

orverr::JsonCursor raiseLuaFailure(orverr::Status& status, int luaStatus, const char* message, const char* debugText) {
    orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kSoftwareFaultInternal);
    orverr::addInternalError(raise, orverr::internal_error::kApiLua, static_cast<int32_t>(luaStatus), message);
    return orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug, debugText);
}

lua_State* createShellState(const char* name, const char* registrationInfo, orverr::Status& status) {
    if (status.isError()) return nullptr;
    lua_State* L = luaL_newstate();
    if (L == nullptr) {
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kMemoryFull);
        orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug,
                          debug::kCreateStateFailed);
        return nullptr;
    }
    if (!openLibraries(L, status)) {
        lua_close(L);
        return nullptr;
    }
    int result = lua_cpcall(L, &registerPreload, nullptr);
    if (result != 0) {
        raiseLuaFailure(status, result, errorMessage(L), debug::kPreloadFailed);
        lua_close(L);
        return nullptr;
    }
    lua_pushcfunction(L, &setupEnvironment);
    lua_pushstring(L, name);
    lua_pushstring(L, registrationInfo);
    result = lua_pcall(L, 2, 0, 0);
    if (result != 0) {
        orverr::JsonCursor cursor = raiseLuaFailure(status, result, errorMessage(L), debug::kSetupEnvFailed);
        cursor = orverr::addString(cursor, debug::kName, name ? name : "");
        orverr::addString(cursor, debug::kRegistrationInfo, registrationInfo ? registrationInfo : "");
        lua_close(L);
        return nullptr;
    }
    return L;
}

}  // namespace orvxlatorlua
