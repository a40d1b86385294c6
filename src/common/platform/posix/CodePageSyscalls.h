#pragma once
// The iconv calls behind the code-page service, replaceable so that tests can make a
// conversion fail at a chosen point.
#include <cstddef>

namespace platform {
namespace posix {

struct CodePageSyscalls {
    void* (*open)(const char* to, const char* from);  // (void*)-1 on failure, as iconv_open
    std::size_t (*convert)(void* descriptor, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft);
    int (*close)(void* descriptor);
};

// The table in use; starts with the real calls.
CodePageSyscalls& codePageSyscalls();
// The real calls, for restoring.
CodePageSyscalls realCodePageSyscalls();

}  // namespace posix
}  // namespace platform
