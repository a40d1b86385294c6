// A graphical run-time reduced to its language: the name a test set, else the environment's.
#include "SimGraphicalRuntime.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace {

std::mutex gMutex;
std::string gLanguage;
bool gSet = false;
std::atomic<int32_t> gQueries{0};

std::string currentLanguage() {
    std::lock_guard<std::mutex> lock(gMutex);
    if (gSet) return gLanguage;
    const char* fromEnvironment = std::getenv("SIM_GXRT_LANGUAGE");
    return fromEnvironment ? fromEnvironment : "English";
}

}  // namespace

extern "C" {

void GetLangStr(unsigned char* buffer) {
    ++gQueries;
    std::string name = currentLanguage();
    if (name.size() > 255) name.resize(255);
    buffer[0] = static_cast<unsigned char>(name.size());
    std::memcpy(buffer + 1, name.data(), name.size());
}

int32_t PStrCmp(const unsigned char* a, const unsigned char* b) {
    const unsigned length = a[0] < b[0] ? a[0] : b[0];
    const int order = std::memcmp(a + 1, b + 1, length);
    if (order != 0) return order < 0 ? -1 : 1;
    return a[0] == b[0] ? 0 : (a[0] < b[0] ? -1 : 1);
}

void SimGxrt_SetLanguage(const char* name) {
    std::lock_guard<std::mutex> lock(gMutex);
    gSet = name != nullptr;
    gLanguage = name ? name : "";
}

int32_t SimGxrt_LanguageQueries(void) { return gQueries.load(); }

}  // extern "C"
