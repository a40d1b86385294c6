// The status-in/status-out loader: failures carry the loader's debug object and the system's
// error text; a status that already holds an error stops all work.
#include <gtest/gtest.h>

#include "common/orverr/InternalError.h"
#include "common/orverr/JsonReader.h"
#include "common/platform/DynamicLibrary.h"
#if !defined(_WIN32)
#include "common/platform/posix/DynamicLibrarySyscalls.h"
#endif
#include "helvar/orvdynlib/DynLib.h"
#include "support/Portable.h"

namespace {

using testsupport::kSystemFunction;
using testsupport::kSystemLibrary;

std::string member(const orverr::Status& status, const char* object, const char* name) {
    const char* inner = orverr::findMember(status.text(), object);
    if (!inner) return "<no " + std::string(object) + ">";
    auto value = orverr::readStringMember(inner, name);
    return value ? *value : "<no " + std::string(name) + ">";
}

TEST(Loader, MissingLibraryIsAnInvalidParameterWithTheSystemsText) {
    orverr::Status status;
    EXPECT_EQ(orvdynlib::load("NoSuchDriver.dll", status), nullptr);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(orverr::readStringMember(status.text(), "error_constant").value_or(""), "orvapalerr_invalidParameter");
    EXPECT_EQ(member(status, "orvdynlib_debug", "debug"), "failed to orvdynlib_load library");
    EXPECT_EQ(member(status, "orvdynlib_debug", "path"), "NoSuchDriver.dll");
    EXPECT_EQ(member(status, "internal_error", "api"), orverr::internal_error::kApiSystem);
    EXPECT_NE(member(status, "internal_error", "string").find(platform::nativeLibraryName("NoSuchDriver.dll")),
              std::string::npos)
        << status.text();
}

TEST(Loader, MissingSymbolNamesIt) {
    orverr::Status status;
    orvdynlib::LibraryHandle libm = orvdynlib::load(kSystemLibrary, status);
    ASSERT_NE(libm, nullptr) << status.text();
    EXPECT_NE(orvdynlib::symbol(libm, kSystemFunction, status), nullptr);
    EXPECT_EQ(orvdynlib::symbol(libm, "no_such_entry", status), nullptr);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(member(status, "orvdynlib_debug", "orvdynlib_symbol"), "no_such_entry");
    EXPECT_NE(member(status, "internal_error", "string").find("no_such_entry"), std::string::npos);
    orvdynlib::unload(libm);
}

TEST(Loader, DoesNothingAfterAnError) {
    orverr::Status status;
    orverr::setCode(status, -7);
    EXPECT_EQ(orvdynlib::load(kSystemLibrary, status), nullptr);
    EXPECT_EQ(status.code, -7);
}

#if !defined(_WIN32)  // the Windows table is exercised by the platform tests of that backend
TEST(Loader, InjectedLoadFailureIsReported) {
    auto& table = platform::posix::dynamicLibrarySyscalls();
    const auto saved = table;
    table.dlopen = [](const char*, int) -> void* { return nullptr; };
    table.dlerror = []() -> char* { return const_cast<char*>("injected failure"); };
    orverr::Status status;
    EXPECT_EQ(orvdynlib::load("libm.so.6", status), nullptr);
    table = saved;
    EXPECT_EQ(member(status, "internal_error", "string"), "injected failure");
}

#endif

}  // namespace
