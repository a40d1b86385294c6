#include "helvar/orvxlatorlua/StdInt.h"

#include <lua.hpp>

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "helvar/orvxlatorlua/LuaTerms.h"

// Lua errors unwind by longjmp: no function here holds an object with a destructor.
namespace orvxlatorlua {
namespace {

struct Kind {
    const char* name;  // also the metatable's registry name
    bool isSigned;
    const char* constructorError;
    const char* argumentError;
    const char* toStringError;
    const char* hexError;
};

constexpr Kind kI64{"i64", true, "i64 constructor arg must be a number or a string", "Can't get a i64 from argument",
                    "Failed to convert i64 to string", "Failed to print hex value of i64"};
constexpr Kind kU64{"u64", false, "u64 constructor arg must be a number or a string", "Can't get a u64 from argument",
                    "Failed to convert u64 to string", "Failed to print hex value of u64"};

const Kind& kindOf(lua_State* L) { return *static_cast<const Kind*>(lua_touserdata(L, lua_upvalueindex(1))); }

// Both kinds keep the two's-complement bit pattern; only division, order and text differ.
uint64_t fromNumber(const Kind& kind, lua_Number value) {
    if (std::isnan(value)) return 0;
    constexpr lua_Number kTwo63 = 9223372036854775808.0;
    if (kind.isSigned || value < 0) {
        if (value >= kTwo63) return static_cast<uint64_t>(INT64_MAX);
        if (value < -kTwo63) return static_cast<uint64_t>(INT64_MIN);
        return static_cast<uint64_t>(static_cast<int64_t>(value));
    }
    if (value >= 2 * kTwo63) return UINT64_MAX;
    return static_cast<uint64_t>(value);
}

void push(lua_State* L, const Kind& kind, uint64_t bits) {
    auto* slot = static_cast<uint64_t*>(lua_newuserdata(L, sizeof(uint64_t)));
    *slot = bits;
    luaL_getmetatable(L, kind.name);
    lua_setmetatable(L, -2);
}

const uint64_t* object(lua_State* L, int index, const Kind& kind) {
    auto* slot = static_cast<const uint64_t*>(lua_touserdata(L, index));
    if (slot == nullptr || !lua_getmetatable(L, index)) return nullptr;
    luaL_getmetatable(L, kind.name);
    const bool same = lua_rawequal(L, -1, -2) != 0;
    lua_pop(L, 2);
    return same ? slot : nullptr;
}

uint64_t operand(lua_State* L, int index, const Kind& kind) {
    if (lua_type(L, index) == LUA_TNUMBER) return fromNumber(kind, lua_tonumber(L, index));
    const uint64_t* slot = object(L, index, kind);
    if (slot == nullptr) luaL_error(L, "%s", kind.argumentError);
    return slot ? *slot : 0;
}

int construct(lua_State* L) {
    const Kind& kind = kindOf(L);
    if (lua_gettop(L) != 1) {
        push(L, kind, 0);
        return 1;
    }
    if (lua_type(L, 1) == LUA_TNUMBER) {
        push(L, kind, fromNumber(kind, lua_tonumber(L, 1)));
        return 1;
    }
    if (lua_type(L, 1) != LUA_TSTRING) return luaL_error(L, "%s", kind.constructorError);
    const char* text = lua_tostring(L, 1);
    char* end = nullptr;
    errno = 0;
    // As the "%I64i" and "%I64u" conversions read them: a signed value in any C base, an
    // unsigned one in decimal; what follows the number is ignored.
    const uint64_t bits = kind.isSigned ? static_cast<uint64_t>(std::strtoll(text, &end, 0))
                                        : static_cast<uint64_t>(std::strtoull(text, &end, 10));
    if (end == text) return luaL_error(L, stdint::kParseFailedFormat, text);
    push(L, kind, bits);
    return 1;
}

int add(lua_State* L) {
    const Kind& kind = kindOf(L);
    push(L, kind, operand(L, 1, kind) + operand(L, 2, kind));
    return 1;
}

int subtract(lua_State* L) {
    const Kind& kind = kindOf(L);
    push(L, kind, operand(L, 1, kind) - operand(L, 2, kind));
    return 1;
}

int multiply(lua_State* L) {
    const Kind& kind = kindOf(L);
    push(L, kind, operand(L, 1, kind) * operand(L, 2, kind));
    return 1;
}

// Division and remainder truncate toward zero, as C does; dividing the most negative value by
// -1 wraps instead of trapping.
int divide(lua_State* L) {
    const Kind& kind = kindOf(L);
    const uint64_t a = operand(L, 1, kind);
    const uint64_t b = operand(L, 2, kind);
    if (b == 0) return luaL_error(L, stdint::kDivisionByZero, kind.name);
    if (!kind.isSigned) {
        push(L, kind, a / b);
    } else if (static_cast<int64_t>(b) == -1) {
        push(L, kind, 0 - a);
    } else {
        push(L, kind, static_cast<uint64_t>(static_cast<int64_t>(a) / static_cast<int64_t>(b)));
    }
    return 1;
}

int remainder(lua_State* L) {
    const Kind& kind = kindOf(L);
    const uint64_t a = operand(L, 1, kind);
    const uint64_t b = operand(L, 2, kind);
    if (b == 0) return luaL_error(L, stdint::kRemainderByZero, kind.name);
    if (!kind.isSigned) {
        push(L, kind, a % b);
    } else if (static_cast<int64_t>(b) == -1) {
        push(L, kind, 0);
    } else {
        push(L, kind, static_cast<uint64_t>(static_cast<int64_t>(a) % static_cast<int64_t>(b)));
    }
    return 1;
}

int negate(lua_State* L) {
    const Kind& kind = kindOf(L);
    push(L, kind, 0 - operand(L, 1, kind));
    return 1;
}

int equal(lua_State* L) {
    const Kind& kind = kindOf(L);
    lua_pushboolean(L, operand(L, 1, kind) == operand(L, 2, kind));
    return 1;
}

int lessThan(lua_State* L) {
    const Kind& kind = kindOf(L);
    const uint64_t a = operand(L, 1, kind);
    const uint64_t b = operand(L, 2, kind);
    lua_pushboolean(L, kind.isSigned ? static_cast<int64_t>(a) < static_cast<int64_t>(b) : a < b);
    return 1;
}

int toString(lua_State* L) {
    const Kind& kind = kindOf(L);
    const uint64_t bits = operand(L, 1, kind);
    char text[32];
    const int length = kind.isSigned ? std::snprintf(text, sizeof text, "%" PRId64, static_cast<int64_t>(bits))
                                     : std::snprintf(text, sizeof text, "%" PRIu64, bits);
    if (length < 0 || static_cast<size_t>(length) >= sizeof text) return luaL_error(L, "%s", kind.toStringError);
    lua_pushlstring(L, text, static_cast<size_t>(length));
    return 1;
}

int hexString(lua_State* L) {
    const Kind& kind = kindOf(L);
    const uint64_t bits = operand(L, 1, kind);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%" PRIx64, bits);
    if (length < 0 || static_cast<size_t>(length) >= sizeof text) return luaL_error(L, "%s", kind.hexError);
    lua_pushlstring(L, text, static_cast<size_t>(length));
    return 1;
}

struct Entry {
    const char* name;
    lua_CFunction function;
};

constexpr Entry kMetamethods[] = {
    {"__add", &add},      {"__sub", &subtract}, {"__mul", &multiply}, {"__div", &divide},        {"__mod", &remainder},
    {"__unm", &negate},   {"__eq", &equal},     {"__lt", &lessThan},  {"__tostring", &toString},
};

// Sets name = closure(function, kind) in the table on top of the stack.
void setFunction(lua_State* L, const Kind& kind, const char* name, lua_CFunction function) {
    lua_pushlightuserdata(L, const_cast<Kind*>(&kind));
    lua_pushcclosure(L, function, 1);
    lua_setfield(L, -2, name);
}

void registerKind(lua_State* L, const Kind& kind) {
    luaL_newmetatable(L, kind.name);
    for (const Entry& entry : kMetamethods) setFunction(L, kind, entry.name, entry.function);
    lua_newtable(L);
    setFunction(L, kind, "hexstring", &hexString);
    lua_setfield(L, -2, "__index");
    lua_pop(L, 1);
    // The constructor goes into the module table below the metatable.
    setFunction(L, kind, kind.name, &construct);
}

}  // namespace

int openStdInt(lua_State* L) {
    lua_newtable(L);
    registerKind(L, kI64);
    registerKind(L, kU64);
    return 1;
}

}  // namespace orvxlatorlua
