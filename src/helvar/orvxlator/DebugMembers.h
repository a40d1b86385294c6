#pragma once
// Debug objects of the translator framework's failures ("orvxlator_debug", "internal_error"),
// written after the raise pattern's location members.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "common/orverr/Raise.h"
#include "common/platform/OsError.h"

namespace orvxlator {

class DebugValue {
public:
    DebugValue(const char* name, const char* text) : name_(name), text_(text ? text : "") {}
    DebugValue(const char* name, const std::string& text) : name_(name), text_(text) {}
    DebugValue(const char* name, int32_t number) : name_(name), kind_(Kind::Signed), signed_(number) {}
    DebugValue(const char* name, uint32_t number) : name_(name), kind_(Kind::Unsigned), unsigned_(number) {}

    orverr::JsonCursor write(orverr::JsonCursor cursor) const;

private:
    enum class Kind { Text, Signed, Unsigned };
    const char* name_;
    Kind kind_ = Kind::Text;
    std::string text_;
    int32_t signed_ = 0;
    uint32_t unsigned_ = 0;
};

// Appends one top-level object of the given members; nothing when the raise kept an earlier error.
orverr::Raise& addObject(orverr::Raise& raise, const char* name, std::initializer_list<DebugValue> members);
inline orverr::Raise& addObject(orverr::Raise&& raise, const char* name, std::initializer_list<DebugValue> members) {
    return addObject(raise, name, members);
}

// "internal_error" of a C run-time failure.
orverr::Raise& addErrnoError(orverr::Raise& raise, const platform::OsError& error);

inline constexpr const char* kDebugObject = "orvxlator_debug";

}  // namespace orvxlator
