#include "common/orverr/CodeTable.h"

namespace orverr {
namespace {

const ErrorCode* const kTable[] = {
#define ORVERR_CODE(name, value, constant) &codes::name,
#include "common/orverr/Codes.def"
#undef ORVERR_CODE
};

}  // namespace

const ErrorCode* findErrorCode(int32_t code) {
    for (const ErrorCode* entry : kTable) {
        if (entry->code == code && entry->constant) return entry;
    }
    return nullptr;
}

}  // namespace orverr
