#include <cstring>
#include <new>
#include <string>

#include "palu/tStatus2.h"

namespace nORVMDBG100 {

struct tStatus2::tDetail {
    std::string component;
    std::string file;
    int32_t line = 0;
};

namespace {

tStatus2::tDetail* copyDetail(const tStatus2::tDetail* detail) noexcept {
    if (detail == nullptr) return nullptr;
    try {
        return new tStatus2::tDetail(*detail);
    } catch (...) {
        return nullptr;  // the code survives without its detail
    }
}

}  // namespace

tStatus2::tStatus2(const tStatus2& other) : _code(other._code), _detail(copyDetail(other._detail)) {}

tStatus2::tStatus2(tStatus2&& other) noexcept : _code(other._code), _detail(other._detail) {
    other._code = 0;
    other._detail = nullptr;
}

tStatus2& tStatus2::operator=(const tStatus2& other) {
    if (this != &other) {
        tDetail* detail = copyDetail(other._detail);
        delete _detail;
        _detail = detail;
        _code = other._code;
    }
    return *this;
}

tStatus2& tStatus2::operator=(tStatus2&& other) noexcept {
    if (this != &other) {
        delete _detail;
        _code = other._code;
        _detail = other._detail;
        other._code = 0;
        other._detail = nullptr;
    }
    return *this;
}

tStatus2::~tStatus2() { delete _detail; }

bool tStatus2::setCode(int32_t code, const char* component, const char* file, int32_t line) noexcept {
    bool install = (_code == 0 && code != 0) || (_code > 0 && code < 0);
    if (!install) return false;
    _code = code;
    delete _detail;
    _detail = nullptr;
    try {
        _detail = new tDetail;
        _detail->component = component ? component : "";
        _detail->file = file ? file : "";
        _detail->line = line;
    } catch (...) {
        delete _detail;
        _detail = nullptr;
    }
    return true;
}

void tStatus2::clear() noexcept {
    _code = 0;
    delete _detail;
    _detail = nullptr;
}

const char* tStatus2::getComponent() const noexcept { return _detail ? _detail->component.c_str() : ""; }
const char* tStatus2::getFile() const noexcept { return _detail ? _detail->file.c_str() : ""; }
int32_t tStatus2::getLine() const noexcept { return _detail ? _detail->line : 0; }

}  // namespace nORVMDBG100
