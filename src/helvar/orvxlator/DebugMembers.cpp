#include "helvar/orvxlator/DebugMembers.h"

#include "common/orverr/InternalError.h"

namespace orvxlator {

orverr::JsonCursor DebugValue::write(orverr::JsonCursor cursor) const {
    switch (kind_) {
        case Kind::Signed: return orverr::addInt32(cursor, name_, signed_);
        case Kind::Unsigned: return orverr::addUInt32(cursor, name_, unsigned_);
        case Kind::Text: break;
    }
    return orverr::addString(cursor, name_, text_.c_str());
}

orverr::Raise& addObject(orverr::Raise& raise, const char* name, std::initializer_list<DebugValue> members) {
    if (!raise.installed()) return raise;
    orverr::JsonCursor cursor = orverr::beginObject(raise.topLevel(), name);
    for (const DebugValue& member : members) cursor = member.write(cursor);
    return raise;
}

orverr::Raise& addErrnoError(orverr::Raise& raise, const platform::OsError& error) {
    orverr::addInternalError(raise, orverr::internal_error::kApiErrno, error);
    return raise;
}

}  // namespace orvxlator
