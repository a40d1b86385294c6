#include "common/orverr/TranslateException.h"

#include <exception>
#include <new>

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "common/orverr/JsonCursor.h"

namespace orverr {
namespace {

JsonCursor addLocation(JsonCursor cursor, int line) {
    cursor = addString(cursor, "file", __FILE__);
    cursor = addInt32(cursor, "line", line);
    return addString(cursor, "component", ORVERR_COMPONENT);
}

void fromStandardException(Status& status, int32_t code, const char* what) {
    if (setCode(status, code)) addLocation(topLevelCursor(status), __LINE__);
    JsonCursor cursor = addLocation(topLevelCursor(status), __LINE__);
    addString(cursor, "std_exception_what", what);
}

}  // namespace

void translateException(Status& status) {
    try {
        throw;
    } catch (ExceptionBase& exception) {
        assign(status, exception.status());
    } catch (const std::bad_alloc& exception) {
        fromStandardException(status, codes::kErrOutOfMemory.code, exception.what());
    } catch (const std::exception& exception) {
        fromStandardException(status, codes::kUnexpectedFailure.code, exception.what());
    }
}

}  // namespace orverr
