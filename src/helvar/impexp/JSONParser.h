#pragma once
#include "helvar/impexp/JSONParserInterface.h"

namespace impexp {

// Parses the embedded schema on every call, then the text (strict, iterative, after the
// untrusted-input pre-scan), then validates the text against the schema.
class JSONParser : public JSONParserInterface {
public:
    JsonDocumentPtr parse(const char* text) override;
};

}  // namespace impexp
