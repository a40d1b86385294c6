#include "helvar/impexp/JSONParser.h"

#include <rapidjson/schema.h>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JsonPointerText.h"
#include "helvar/impexp/UntrustedJsonGuard.h"
#include "helvar/impexp/document/Schema.h"

namespace impexp {

namespace {

// Strict UTF-8 JSON; iterative so that nesting costs heap, not stack.
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag;

[[noreturn]] void raiseCorrupted() {
    ORVERR_THROW(orverr::codes::kCorruptedFormat).comment(message::kInvalidJsonFile).raise();
}

}  // namespace

JsonDocumentPtr JSONParser::parse(const char* text) {
    if (text == nullptr) {
        ORVERR_THROW(orverr::codes::kNullPtr).comment(message::kInvalidJsonFile).raise();
    }
    rapidjson::Document schemaDom;
    schemaDom.Parse<kParseFlags>(document::attributeConfigurationSchema());
    const rapidjson::SchemaDocument schema(schemaDom);

    if (!isWithinJsonLimits(text)) {
        raiseCorrupted();
    }
    auto dom = std::make_shared<rapidjson::Document>();
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

}  // namespace impexp
