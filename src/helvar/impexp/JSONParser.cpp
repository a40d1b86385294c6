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

// A document text and the DOM parsed in place from it.
struct ParsedText {
    ParsedText(const char* source, std::size_t length) : text(source, length) {}
    std::string text;
    rapidjson::Document dom;
};

[[noreturn]] void raiseCorrupted() {
    ORVERR_THROW(orverr::codes::kCorruptedFormat).comment(message::kInvalidJsonFile).raise();
}

}  // namespace

JsonDocumentPtr JSONParser::parse(const char* text) {
    return parse(text, text == nullptr ? 0 : std::strlen(text));
}

JsonDocumentPtr JSONParser::parse(const char* text, std::size_t length) {
    if (text == nullptr) {
        ORVERR_THROW(orverr::codes::kNullPtr).comment(message::kInvalidJsonFile).raise();
    }
    rapidjson::Document schemaDom;
    schemaDom.Parse<kParseFlags>(document::attributeConfigurationSchema());
    const rapidjson::SchemaDocument schema(schemaDom);

    // Parsed in place in a copy that lives as long as the DOM, whose strings point into it.
    const auto parsed = std::make_shared<ParsedText>(text, length);
    // Must stay right before the parse of the same bytes: the recursive parse relies on its cap.
    if (!isWithinJsonLimits(parsed->text.c_str())) {
        raiseCorrupted();
    }
    const JsonDocumentPtr dom(parsed, &parsed->dom);
    dom->ParseInsitu<kParseFlags>(&parsed->text[0]);
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

}  // namespace impexp
