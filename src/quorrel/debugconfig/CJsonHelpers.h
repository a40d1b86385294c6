#pragma once
// cJSON helpers of the debug configuration: member lookup without regard to ASCII case, typed
// reads that raise the JSON statuses, in-place replacement, parsing and printing.
#include <cstdint>
#include <memory>
#include <string>

struct cJSON;

namespace nORVMISysAPICommon100::cjson {

// A document root owned by the pointer (cJSON_Delete).
std::shared_ptr<cJSON> own(cJSON* root);

char asciiLower(char c);
// Whether a equals b without regard to ASCII case.
bool equalsIgnoringAsciiCase(const char* a, const char* b);

// The first member whose name equals name without regard to ASCII case, or null (also when
// object is not an object).
cJSON* findMember(const cJSON* object, const char* name);

// Raise kJsonMemberMissing (missing) or kJsonWrongType (another kind), with kUsageTypeToken = name.
cJSON& requireObject(const cJSON& object, const char* name);
double requireNumber(const cJSON& object, const char* name);

// Numbers truncated toward zero; out of range throws boost::numeric::bad_numeric_cast.
uint32_t toUInt32(double value);
int32_t toInt32(double value);

// Replaces the member (found as findMember does) by value, keeping its name and position, or
// appends value under name when there is none. Takes ownership of value.
void setMember(cJSON& object, const char* name, cJSON* value);
// Appends value under name without looking for a member of that name; takes ownership of value.
cJSON& addMember(cJSON& object, const char* name, cJSON* value);

// Turns node, whatever its kind, into an empty object in place: its name and its position in
// its parent stay, so pointers to it stay valid.
void makeEmptyObject(cJSON& node);

// Allocation failures of cJSON throw std::bad_alloc.
cJSON* checked(cJSON* created);

// Raises kJsonParseFailed when text is not one JSON value (surrounding whitespace allowed).
std::shared_ptr<cJSON> parse(const std::string& text);
// cJSON's formatted (indented) form.
std::string print(const cJSON& root);

}  // namespace nORVMISysAPICommon100::cjson
