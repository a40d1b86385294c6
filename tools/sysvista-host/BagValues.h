#pragma once
// Text of bag values, tags and results, for printing and for the user's --set values.
#include <string>

#include "explorer/PropertyBag.h"

namespace sysvistahost {

const char* typeName(ULONG typeCode);
// The explorer's name of a tag, or null when it has none.
const char* tagName(ULONG tag);
// A tag from its name (any case) or its number (0x... or decimal).
bool parseTag(const std::string& text, ULONG& tag);
std::string formatTag(ULONG tag);
// "0x80004005 (E_FAIL)".
std::string formatResult(HRESULT hr);

// Reads the tag's value as text.
HRESULT readValue(IsvSysPropertyBag* bag, ULONG tag, ULONG& typeCode, std::string& text);
// Writes text as a value of the type the tag already has; error explains a bad text.
HRESULT writeValue(IsvSysPropertyBag* bag, ULONG tag, const std::string& text, std::string& error);

}  // namespace sysvistahost
