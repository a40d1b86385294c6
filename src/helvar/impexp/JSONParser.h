#pragma once
// The parser of attribute configuration documents, with schema validation.
#include "helvar/impexp/JSONParserInterface.h"

namespace impexp {

// Parses the embedded schema on every call, then the text (strict, recursive and in place in a
// copy, after the untrusted-input pre-scan that bounds its nesting), then validates the text
// against the schema.
class JSONParser : public JSONParserInterface {
public:
    JsonDocumentPtr parse(const char* text) override;
    JsonDocumentPtr parse(const char* text, std::size_t length) override;
};

}  // namespace impexp
