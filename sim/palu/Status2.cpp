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

tStatus2::tStatus2(const tStatus2& other) : code_(other.code_), detail_(copyDetail(other.detail_)) {}

tStatus2::tStatus2(tStatus2&& other) noexcept : code_(other.code_), detail_(other.detail_) {
    other.code_ = 0;
    other.detail_ = nullptr;
}

tStatus2& tStatus2::operator=(const tStatus2& other) {
    if (this != &other) {
        tDetail* detail = copyDetail(other.detail_);
        delete detail_;
        detail_ = detail;
        code_ = other.code_;
    }
    return *this;
}

tStatus2& tStatus2::operator=(tStatus2&& other) noexcept {
    if (this != &other) {
        delete detail_;
        code_ = other.code_;
        detail_ = other.detail_;
        other.code_ = 0;
        other.detail_ = nullptr;
    }
    return *this;
}

tStatus2::~tStatus2() { delete detail_; }

bool tStatus2::setCode(int32_t code, const char* component, const char* file, int32_t line) noexcept {
    bool install = (code_ == 0 && code != 0) || (code_ > 0 && code < 0);
    if (!install) return false;
    code_ = code;
    delete detail_;
    detail_ = nullptr;
    try {
        detail_ = new tDetail;
        detail_->component = component ? component : "";
        detail_->file = file ? file : "";
        detail_->line = line;
    } catch (...) {
        delete detail_;
        detail_ = nullptr;
    }
    return true;
}

void tStatus2::clear() noexcept {
    code_ = 0;
    delete detail_;
    detail_ = nullptr;
}

const char* tStatus2::getComponent() const noexcept { return detail_ ? detail_->component.c_str() : ""; }
const char* tStatus2::getFile() const noexcept { return detail_ ? detail_->file.c_str() : ""; }
int32_t tStatus2::getLine() const noexcept { return detail_ ? detail_->line : 0; }

}  // namespace nORVMDBG100
