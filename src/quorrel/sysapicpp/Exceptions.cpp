#include "quorrel/sysapicpp/Exceptions.h"

#include <cstdio>
#include <new>
#include <string>

#include "common/orverr/Exception.h"

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

HResultException::HResultException(HRESULT hr, const char* text, const char* file, int line, const char* component)
    : std::runtime_error(text), hr_(hr), file_(file), line_(line), component_(component), hasText_(true) {}

void checkHResult(HRESULT hr, const char* file, int line) {
    if (FAILED(hr)) throw HResultException(hr, file, line);
}

HRESULT hresultOfCurrentException(std::string* text) noexcept {
    try {
        try {
            throw;
        } catch (const HResultException& error) {
            if (text != nullptr && error.hasText()) *text = error.what();
            return error.hresult();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const orverr::ExceptionBase& error) {
            if (text != nullptr) *text = error.documentText();
            return E_FAIL;
        } catch (const std::exception& error) {
            if (text != nullptr) *text = error.what();
            return E_FAIL;
        } catch (HRESULT hr) {
            // An expert outside this library may still throw its HRESULT bare.
            return hr;
        }
    } catch (...) {
        // Anything else, or a message that could not be kept.
        return E_FAIL;
    }
}

}  // namespace sysapicpp
