#include "helvar/impexp/JSONParser.h"

#include <cstring>
#include <string>

#include <rapidjson/schema.h>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JsonPointerText.h"
#include "helvar/impexp/UntrustedJsonGuard.h"
#include "helvar/impexp/document/Schema.h"

namespace impexp {

namespace {

// Strict UTF-8 JSON, parsed recursively. Safe only because every untrusted text passes
// isWithinJsonLimits first, on the very bytes parsed: its nesting cap bounds the recursion, so the
// stack stays small. The schema is our own constant text.
constexpr unsigned kParseFlags = rapidjson::kParseDefaultFlags;

[[noreturn]] void raiseCorrupted() {
    ORVERR_THROW(orverr::codes::kCorruptedFormat).comment(message::kInvalidJsonFile).raise();
}

// The text is read where it lies and its strings are copied into the DOM's pool: the document is
// held once as text (the caller's) and once as a DOM, never a third time as a copy of the text.
// The caller's buffer is input and stays unchanged during the call, as with every input buffer.
JsonDocumentPtr parseTerminated(const char* text) {
    rapidjson::Document schemaDom;
    schemaDom.Parse<kParseFlags>(document::attributeConfigurationSchema());
    const rapidjson::SchemaDocument schema(schemaDom);

    // Must stay right before the parse of the same bytes: the recursive parse relies on its cap.
    if (!isWithinJsonLimits(text)) {
        raiseCorrupted();
    }
    const JsonDocumentPtr dom = std::make_shared<rapidjson::Document>();
    dom->Parse<kParseFlags>(text);
    if (dom->HasParseError()) {
        raiseCorrupted();
    }

    rapidjson::SchemaValidator validator(schema);
    if (!dom->Accept(validator)) {
        ORVERR_THROW(orverr::codes::kInvalidSchema)
            .usage(usage::kSchemaRuleViolation, toUriFragment(validator.GetInvalidSchemaPointer()))
            .usage(usage::kSchemaViolationType, validator.GetInvalidSchemaKeyword())
            .usage(usage::kSchemaErrorPath, toUriFragment(validator.GetInvalidDocumentPointer()))
            .raise();
    }
    return dom;
}

}  // namespace

JsonDocumentPtr JSONParser::parse(const char* text) {
    if (text == nullptr) {
        ORVERR_THROW(orverr::codes::kNullPtr).comment(message::kInvalidJsonFile).raise();
    }
    return parseTerminated(text);
}

JsonDocumentPtr JSONParser::parse(const char* text, std::size_t length) {
    if (text == nullptr) {
        ORVERR_THROW(orverr::codes::kNullPtr).comment(message::kInvalidJsonFile).raise();
    }
    // A text that does not end in a NUL is terminated in a copy, needed only while parsing.
    const std::string terminated(text, length);
    return parseTerminated(terminated.c_str());
}

}  // namespace impexp
