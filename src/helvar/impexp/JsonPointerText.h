#pragma once
// JSON Pointers written as URI fragments, for schema refusals.
#include <string>

#include <rapidjson/pointer.h>

namespace impexp {

// A JSON Pointer in URI-fragment form: "#", then "/" and each token, "~" as "~0", "/" as "~1",
// every byte but ASCII letters, digits, '-', '.' and '_' as '%' and two upper-case hex digits.
// Written byte by byte, so tokens that are not valid UTF-8 still come out whole.
std::string toUriFragment(const rapidjson::Pointer& pointer);

}  // namespace impexp
