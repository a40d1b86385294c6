#include "Console.h"

#include <cstdio>
#include <mutex>

namespace sysvistahost {

namespace {
std::mutex& consoleLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

void printLine(const std::string& line) {
    std::lock_guard<std::mutex> guard(consoleLock());
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
}

void printError(const std::string& line) {
    std::lock_guard<std::mutex> guard(consoleLock());
    std::fprintf(stderr, "sysvista-host: %s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace sysvistahost
