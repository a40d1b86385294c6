#pragma once
// Shows a Helvar status the way a user can search for it: symbolic name, number and text.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "IviTypes.h"

namespace helvartool {

// Prints the status and the description Helvar recorded in the engine for handle (fetched and cleared).
// Text in the code page of a description language, as UTF-8 (unchanged when it cannot be converted).
std::string toUtf8(const std::string& text, int32_t language);
// Every line indented for the report.
std::string indented(const std::string& text);
// A corrupted-format refusal of a file that starts with a byte-order mark gets a hint.
void byteOrderMarkHint(std::ostream& out, ViStatus status, const std::string& path);

// The description of the code itself (what a driver's error query gives), as UTF-8.
void printMeaning(std::ostream& out, ViStatus status, int32_t language);

void reportFailure(std::ostream& out, const char* operation, ViStatus status, ViSession handle);

}  // namespace helvartool
