#include "helvar/orvxlatorlua/TermTables.h"

#include <lua.hpp>

#include <algorithm>
#include <cstring>

namespace orvxlatorlua {

const TermTable* findTermTable(const char* language) {
    const TermTable* tables = termTables();
    for (std::size_t i = 0; i < termTableCount(); ++i)
        if (std::strcmp(tables[i].language, language) == 0) return &tables[i];
    return nullptr;
}

const TermRow* findTerm(const TermTable& table, const char* key) {
    const TermRow* end = table.rows + table.rowCount;
    const TermRow* row = std::lower_bound(table.rows, end, key, [](const TermRow& candidate, const char* wanted) {
        return std::strcmp(candidate.key, wanted) < 0;
    });
    return row != end && std::strcmp(row->key, key) == 0 ? row : nullptr;
}

namespace {

const TermTable& tableOf(lua_State* L) {
    return *static_cast<const TermTable*>(lua_touserdata(L, lua_upvalueindex(1)));
}

// getString(key), also callable as a method.
int getString(lua_State* L) {
    const int index = lua_type(L, 1) == LUA_TSTRING ? 1 : 2;
    const char* key = lua_tostring(L, index);
    const TermRow* row = key ? findTerm(tableOf(L), key) : nullptr;
    if (row == nullptr) {
        lua_pushnil(L);
    } else {
        lua_pushlstring(L, reinterpret_cast<const char*>(tableOf(L).text + row->offset), row->length);
    }
    return 1;
}

}  // namespace

// Rows stay in the library's constant data; the module only looks them up, so loading a table
// costs nothing however long it is.
int loadTermModule(lua_State* L) {
    const TermTable& table = tableOf(L);
    lua_createtable(L, 0, 2);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_pushcclosure(L, &getString, 1);
    lua_setfield(L, -2, "getString");
    lua_getglobal(L, "require");
    lua_pushliteral(L, "orvmxl_utilities");
    lua_call(L, 1, 1);
    lua_getfield(L, -1, "tprint");
    lua_setfield(L, -3, "tprint");
    lua_pop(L, 1);
    lua_pushfstring(L, "usageTypes_%s", table.language);
    lua_pushvalue(L, -2);
    lua_settable(L, LUA_GLOBALSINDEX);
    return 1;
}

}  // namespace orvxlatorlua
