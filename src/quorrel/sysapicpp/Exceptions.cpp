#include "quorrel/sysapicpp/Exceptions.h"

#include <cstdio>
#include <string>

namespace sysapicpp {
namespace {

std::string describe(HRESULT hr) {
    char text[32];
    std::snprintf(text, sizeof text, "HRESULT 0x%08X", static_cast<unsigned>(hr));
    return text;
}

}  // namespace

HResultException::HResultException(HRESULT hr, const char* file, int line, const char* component)
    : std::runtime_error(describe(hr)), hr_(hr), file_(file), line_(line), component_(component) {}

void checkHResult(HRESULT hr, const char* file, int line) {
    if (FAILED(hr)) throw HResultException(hr, file, line);
}

}  // namespace sysapicpp
