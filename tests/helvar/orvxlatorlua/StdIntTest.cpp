#include "helvar/orvxlatorlua/StdInt.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <ostream>
#include <string>

namespace {

struct Case {
    const char* script;  // returns a value, shown through tostring
    const char* result;  // expected text, or the expected part of the error message
    bool fails;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.script; }


class StdIntModule : public ::testing::TestWithParam<Case> {
protected:
    StdIntModule() : L(luaL_newstate()) {
        luaL_openlibs(L);
        lua_pushcfunction(L, &orvxlatorlua::openStdInt);
        lua_call(L, 0, 1);
        lua_setglobal(L, "stdint");
    }
    ~StdIntModule() override { lua_close(L); }

    lua_State* L;
};

TEST_P(StdIntModule, Computes) {
    const Case& c = GetParam();
    const std::string chunk = std::string("return tostring(") + c.script + ")";
    const int status = luaL_dostring(L, chunk.c_str());
    const char* text = lua_tostring(L, -1);
    ASSERT_NE(text, nullptr);
    if (c.fails) {
        EXPECT_NE(status, 0);
        EXPECT_NE(std::string(text).find(c.result), std::string::npos) << text;
    } else {
        EXPECT_EQ(status, 0) << text;
        EXPECT_EQ(std::string(text), c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StdIntModule,
    ::testing::Values(
        Case{"stdint.i64('-9223372036854775808')", "-9223372036854775808", false},
        Case{"stdint.u64('18446744073709551615')", "18446744073709551615", false},
        Case{"stdint.i64('0x10')", "16", false},
        Case{"stdint.i64(-2.9)", "-2", false},
        Case{"stdint.u64(1e300)", "18446744073709551615", false},
        Case{"stdint.i64()", "0", false},
        Case{"stdint.i64(1, 2)", "0", false},
        Case{"stdint.u64('4294967296') * 2 + 1 - 3", "8589934590", false},
        Case{"stdint.i64(-7) / 2", "-3", false},
        Case{"stdint.i64(-7) % 2", "-1", false},
        Case{"stdint.u64(7) % stdint.u64(4)", "3", false},
        Case{"-stdint.i64(5)", "-5", false},
        Case{"stdint.u64(0) - 1", "18446744073709551615", false},
        Case{"stdint.i64('9223372036854775807') + 1", "-9223372036854775808", false},
        Case{"stdint.i64('-9223372036854775808') / -1", "-9223372036854775808", false},
        Case{"stdint.i64('-9223372036854775808') % -1", "0", false},
        Case{"stdint.i64(-1) < stdint.i64(0)", "true", false},
        Case{"stdint.u64(0) < stdint.u64(1)", "true", false},
        Case{"stdint.u64(5) == stdint.u64('5')", "true", false},
        Case{"stdint.i64(-1):hexstring()", "ffffffffffffffff", false},
        Case{"stdint.u64(255):hexstring()", "ff", false},
        Case{"stdint.i64(1) / 0", "division by zero", true},
        Case{"stdint.u64(1) % stdint.u64(0)", "remainder by zero", true},
        Case{"stdint.i64('abc')", "Unable to parse a number out of \"abc\"", true},
        Case{"stdint.i64({})", "i64 constructor arg must be a number or a string", true},
        Case{"stdint.u64(true)", "u64 constructor arg must be a number or a string", true},
        Case{"stdint.i64(1) + stdint.u64(1)", "Can't get a i64 from argument", true},
        Case{"stdint.u64(1) + 'x'", "Can't get a u64 from argument", true}));

}  // namespace
