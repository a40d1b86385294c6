// The one writer of "internal_error": members, their order and their types for every numbering.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/InternalError.h"
#include "common/orverr/Raise.h"
#include "common/orverr/Status.h"

using namespace orverr;

namespace {

struct Row {
    const char* name;
    std::function<void(Raise&)> write;
    const char* expected;  // the document's end after "component"
};

std::string tail(const std::string& text) {
    const std::string marker = "\"component\":\"Helvar\"";
    const size_t at = text.find(marker);
    return at == std::string::npos ? text : text.substr(at + marker.size());
}

}  // namespace

TEST(InternalError, EveryNumberingWritesTheSameMembers) {
    platform::OsError missing;
    missing.code = 2;
    missing.message = "No such file or directory";
    const Row rows[] = {
        {"errno from an OsError", [&](Raise& r) { addInternalError(r, internal_error::kApiErrno, missing); },
         R"(,"internal_error":{"api":"errno","code":2,"string":"No such file or directory"}})"},
        {"win32 codes are unsigned",
         [](Raise& r) { addInternalError(r, internal_error::kApiWin32, 4294967295u, "Access is denied."); },
         R"(,"internal_error":{"api":"win32","code":4294967295,"string":"Access is denied."}})"},
        {"hresult without text",
         [](Raise& r) { addInternalError(r, internal_error::kApiHresult, static_cast<int32_t>(0x80004005u), nullptr); },
         R"(,"internal_error":{"api":"hresult","code":-2147467259}})"},
        {"lua text is escaped",
         [](Raise& r) { addInternalError(r, internal_error::kApiLua, 2, "chunk \"x\"\n"); },
         R"(,"internal_error":{"api":"lua","code":2,"string":"chunk \"x\"\n"}})"},
    };
    for (const Row& row : rows) {
        Status status;
        Raise raise(status, codes::kResourceNotFound, "f.cpp", 1, "Helvar");
        row.write(raise);
        EXPECT_EQ(tail(status.text()), row.expected) << row.name;
    }
}

TEST(InternalError, NothingWhenTheRaiseKeptAnEarlierError) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kInvalidParameter);
    const std::string before = status.text();
    Raise later(status, codes::kResourceNotFound, "f.cpp", 1, "Helvar");
    addInternalError(later, internal_error::kApiErrno, 5, "Input/output error");
    EXPECT_EQ(status.text(), before);
}
