#include "common/orverr/Raise.h"

#include "common/orverr/Exception.h"

namespace orverr {

Raise::Raise(Status& status, ErrorCode error, const char* file, int line, const char* component) : target_(status) {
    if (target_.code < 0) return;  // the first error stands
    target_.code = error.code;
    if (target_.json) initialiseBuffer(target_, "{}");
    installed_ = true;
    JsonCursor cursor = topLevelCursor(target_);
    if (error.constant) cursor = addString(cursor, "error_constant", error.constant);
    cursor = addString(cursor, "file", file);
    cursor = addInt32(cursor, "line", line);
    addString(cursor, "component", component);
}

Raise::Raise(ErrorCode error, const char* file, int line, const char* component)
    : Raise(own_, error, file, line, component) {}

JsonCursor& Raise::elaborationPosition() {
    if (!elaborationsOpened_) {
        elaboration_ = elaborationCursor(target_);
        elaborationsOpened_ = true;
    }
    return elaboration_;
}

Raise& Raise::usage(const char* usageType, const char* value) {
    if (installed_) elaborationPosition() = addUsageString(elaborationPosition(), usageType, value);
    return *this;
}

Raise& Raise::usageInt32(const char* usageType, int32_t value) {
    if (installed_) elaborationPosition() = addUsageInt32(elaborationPosition(), usageType, value);
    return *this;
}

Raise& Raise::usageUInt32(const char* usageType, uint32_t value) {
    if (installed_) elaborationPosition() = addUsageUInt32(elaborationPosition(), usageType, value);
    return *this;
}

Raise& Raise::usageUInt64(const char* usageType, uint64_t value) {
    if (installed_) elaborationPosition() = addUsageUInt64(elaborationPosition(), usageType, value);
    return *this;
}

Raise& Raise::comment(const char* text) {
    if (installed_) elaborationPosition() = addComment(elaborationPosition(), text);
    return *this;
}

Raise& Raise::elaborations() {
    if (installed_) elaborationPosition();
    return *this;
}

Raise& Raise::member(const char* name, const char* value) {
    if (installed_) {
        addString(topLevelCursor(target_), name, value);
        elaborationsOpened_ = false;  // the buffer may have moved
    }
    return *this;
}

Raise& Raise::member(const char* name, int32_t value) {
    if (installed_) {
        addInt32(topLevelCursor(target_), name, value);
        elaborationsOpened_ = false;
    }
    return *this;
}

JsonCursor Raise::topLevel() {
    elaborationsOpened_ = false;
    return installed_ ? topLevelCursor(target_) : JsonCursor{};
}

void Raise::raise() { throw Exception(target_); }

}  // namespace orverr
