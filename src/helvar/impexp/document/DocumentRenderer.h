#pragma once
// Writes the attribute configuration document text: 3-space indentation, LF line breaks, members
// in their fixed order, empty containers on one line, shortest round-trip doubles. The text has
// no terminating NUL and no trailing line break.
//
// A ViReal64 that is NaN or infinite is written as the string "NaN", "Infinity" or "-Infinity"
// (see NonFiniteReal.h), so the document stays well-formed JSON and imports back to the same value.
// An entry whose type has no JSON form (ViAddr) is written without a "value" member.
#include <string>

#include "helvar/impexp/document/DocumentModel.h"

namespace impexp {

class DocumentRenderer {
public:
    std::string render(const DocumentHeader& header, const DocumentEntriesInterface& entries) const;
};

}  // namespace impexp
