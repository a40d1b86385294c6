#include "ToolRun.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "ExitCodes.h"
#include "common/platform/ProcessSignals.h"

namespace orvtool {
namespace {

// A failed write leaves the stream failed for good, so no failure goes unseen here, and the last
// buffered bytes are pushed out now.
int checkedOutput(const char* program, int code) {
    errno = 0;
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written) return code;
    const int error = errno;
    std::cerr << program << ": cannot write to standard output"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
    return code != kOk ? code : kOutputFailed;
}

}  // namespace

int runTool(const char* program, int (*body)(int argc, char** argv), int argc, char** argv) {
    platform::ignoreFileSizeLimitSignal();
    return checkedOutput(program, body(argc, argv));
}

}  // namespace orvtool
