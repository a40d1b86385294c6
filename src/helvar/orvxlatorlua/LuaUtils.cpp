#include "helvar/orvxlatorlua/LuaUtils.h"

#include <lua.hpp>

#include <cmath>
#include <string>

#include "common/orverr/Raise.h"
#include "common/platform/CodePage.h"
#include "helvar/orvsysq/PathVariables.h"
#include "helvar/orvxlator/ExplanationFiles.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlatorlua/LuaTerms.h"

// Lua errors unwind by longjmp, which skips destructors. So each entry point reads its
// arguments, lets a helper do the work with C++ objects and push either the result or the
// error message, and raises only after that helper has returned.
namespace orvxlatorlua {
namespace {

enum class Outcome { Pushed, Failed };

Outcome finish(lua_State* L, const orverr::Status& status, const std::string& text, bool nilWhenEmpty = false) {
    if (status.isError()) {
        lua_pushstring(L, status.text());
        return Outcome::Failed;
    }
    if (nilWhenEmpty && text.empty()) {
        lua_pushnil(L);
    } else {
        lua_pushlstring(L, text.data(), text.size());
    }
    return Outcome::Pushed;
}

int result(lua_State* L, Outcome outcome) { return outcome == Outcome::Failed ? lua_error(L) : 1; }

// Languages are numbers; anything outside uint32 is as invalid as 6.
uint32_t languageArgument(lua_State* L, int index) {
    const lua_Number value = luaL_checknumber(L, index);
    return value >= 0 && value < 4294967296.0 ? static_cast<uint32_t>(value) : UINT32_MAX;
}

// Codes arrive as doubles, signed or as their unsigned 32-bit form.
int32_t codeArgument(lua_State* L, int index) {
    const lua_Number value = luaL_checknumber(L, index);
    if (std::isnan(value) || value < -2147483648.0 || value >= 4294967296.0) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

Outcome convertToUtf8(lua_State* L, uint32_t language, const char* text, size_t length) {
    orverr::Status status;
    std::string folder;
    orvxlator::explanationFiles().languageFolderName(language, folder, status);
    std::string converted;
    if (!status.isError() &&
        !platform::codePageToUtf8(orvxlator::findLanguage(language)->codePage, std::string(text, length), converted)) {
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kSoftwareFaultInternal);
        orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDebug,
                          debug::kCodePageFailed);
    }
    return finish(L, status, converted);
}

int mbsToUtf8(lua_State* L) {
    const uint32_t language = languageArgument(L, 1);
    size_t length = 0;
    const char* text = luaL_checklstring(L, 2, &length);
    return result(L, convertToUtf8(L, language, text, length));
}

Outcome lookupVariableInto(lua_State* L, const char* translator, const char* name) {
    orverr::Status status;
    std::string value;
    orvsysq::pathVariables().lookupVariable(translator, name, value, status);
    return finish(L, status, value);
}

int lookupVariable(lua_State* L) {
    const char* translator = luaL_checkstring(L, 1);
    const char* name = luaL_checkstring(L, 2);
    return result(L, lookupVariableInto(L, translator, name));
}

Outcome expandPathInto(lua_State* L, const char* translator, const char* path) {
    orverr::Status status;
    std::string expanded = path;
    orvsysq::pathVariables().expandPath(translator, expanded, status);
    return finish(L, status, expanded);
}

int expandPath(lua_State* L) {
    const char* translator = luaL_checkstring(L, 1);
    const char* path = luaL_checkstring(L, 2);
    return result(L, expandPathInto(L, translator, path));
}

Outcome languageFolder(lua_State* L, uint32_t language) {
    orverr::Status status;
    std::string folder;
    orvxlator::explanationFiles().languageFolderName(language, folder, status);
    return finish(L, status, folder);
}

int convertLangToDir(lua_State* L) { return result(L, languageFolder(L, languageArgument(L, 1))); }

Outcome findInErrorsFolder(lua_State* L, const char* folder, int32_t code, uint32_t language) {
    orverr::Status status;
    std::string text;
    orvxlator::explanationFiles().findInErrorsFolder(folder, code, language, text, status);
    return finish(L, status, text, true);
}

int findErrorDescriptionFromErrorsDir(lua_State* L) {
    const char* folder = luaL_checkstring(L, 1);
    const int32_t code = codeArgument(L, 2);
    const uint32_t language = languageArgument(L, 3);
    return result(L, findInErrorsFolder(L, folder, code, language));
}

Outcome findInFolder(lua_State* L, const char* folder, int32_t code) {
    orverr::Status status;
    std::string text;
    orvxlator::explanationFiles().findInFolder(folder, code, text, status);
    return finish(L, status, text, true);
}

int findErrorDescriptionFromDir(lua_State* L) {
    const char* folder = luaL_checkstring(L, 1);
    const int32_t code = codeArgument(L, 2);
    return result(L, findInFolder(L, folder, code));
}

constexpr luaL_Reg kFunctions[] = {
    {"mbsToUtf8", &mbsToUtf8},
    {"lookupVariable", &lookupVariable},
    {"expandPath", &expandPath},
    {"convertLangToDir", &convertLangToDir},
    {"findErrorDescriptionFromErrorsDir", &findErrorDescriptionFromErrorsDir},
    {"findErrorDescriptionFromDir", &findErrorDescriptionFromDir},
};

}  // namespace

int openLuaUtils(lua_State* L) {
    lua_createtable(L, 0, sizeof(kFunctions) / sizeof(kFunctions[0]) + 1);
    for (const luaL_Reg& entry : kFunctions) {
        lua_pushcfunction(L, entry.func);
        lua_setfield(L, -2, entry.name);
    }
    // Not a second function: the very same one under another name.
    lua_getfield(L, -1, "findErrorDescriptionFromDir");
    lua_setfield(L, -2, "findErrorDescriptionFromFile");
    return 1;
}

}  // namespace orvxlatorlua
