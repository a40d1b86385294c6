#include "common/orverr/InternalError.h"

#include "common/orverr/JsonCursor.h"
#include "common/orverr/Raise.h"

namespace orverr {

namespace {

template <class Code>
void write(Raise& raise, const char* api, Code code, const char* message,
           JsonCursor (*addCode)(JsonCursor, const char*, Code)) {
    JsonCursor cursor = beginObject(raise.topLevel(), internal_error::kMember);
    cursor = addString(cursor, internal_error::kApi, api);
    cursor = addCode(cursor, internal_error::kCode, code);
    if (message != nullptr) addString(cursor, internal_error::kString, message);
}

}  // namespace

void addInternalError(Raise& raise, const char* api, int32_t code, const char* message) {
    write(raise, api, code, message, &addInt32);
}

void addInternalError(Raise& raise, const char* api, uint32_t code, const char* message) {
    write(raise, api, code, message, &addUInt32);
}

void addInternalError(Raise& raise, const char* api, const platform::OsError& error) {
    addInternalError(raise, api, error.code, error.message.c_str());
}

}  // namespace orverr
