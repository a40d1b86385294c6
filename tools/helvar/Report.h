#pragma once
// Shows a Helvar status the way a user can search for it: symbolic name, number and text.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "IviTypes.h"

namespace helvartool {

// Text in the code page of a description language, as UTF-8 (unchanged when it cannot be converted).
std::string toUtf8(const std::string& text, int32_t language);
// Every line indented for the report.
std::string indented(const std::string& text);
// A corrupted-format refusal of a file that starts with a byte-order mark gets a hint.
void byteOrderMarkHint(std::ostream& out, ViStatus status, const std::string& path);

// The meaning of a code from Helvar_DescribeStatus (UTF-8); its result (0, the warning for an
// unknown code, or a failure).
ViStatus describeStatus(int32_t language, ViStatus status, std::string& text);

// Prints the status, its meaning in the handle's language and the description Helvar recorded in
// the engine for handle (fetched and cleared).
void reportFailure(std::ostream& out, const char* operation, ViStatus status, ViSession handle);

}  // namespace helvartool
