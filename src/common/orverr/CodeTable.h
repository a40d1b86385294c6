#pragma once
// Looks a code up in the code table, for programs that show a status by its symbolic name. Kept
// in the header so that a program linking only the shared library can name codes too.
#include <cstdint>

#include "common/orverr/Codes.h"

namespace orverr {

// The first entry of the code table with this code, or null.
inline const ErrorCode* findErrorCode(int32_t code) {
    static const ErrorCode* const kTable[] = {
#define ORVERR_CODE(name, value, constant) &codes::name,
#include "common/orverr/Codes.def"
#undef ORVERR_CODE
    };
    for (const ErrorCode* entry : kTable) {
        if (entry->code == code && entry->constant) return entry;
    }
    return nullptr;
}

}  // namespace orverr
