#include "helvar/impexp/JSONParser.h"

#include <cstdint>
#include <cstring>
#include <string>

#include <rapidjson/error/en.h>
#include <rapidjson/schema.h>

#include "common/orverr/Raise.h"
#include "helvar/impexp/DuplicateMemberFilter.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JsonPointerText.h"
#include "helvar/impexp/UntrustedJsonGuard.h"
#include "helvar/impexp/document/Schema.h"

namespace impexp {

namespace {

// Strict JSON, parsed recursively. Safe only because every untrusted text passes
// scanUntrustedJson first, on the very bytes parsed: its nesting cap bounds the recursion, so the
// stack stays small. The schema is our own constant text.
constexpr unsigned kParseFlags = rapidjson::kParseDefaultFlags;
// The whole text must be UTF-8, names and values that never reach the session included, checked by
// the parser as it reads. That check costs about a tenth of an import, so a text of ASCII bytes
// only, UTF-8 as it stands, is parsed without it; the guard's pass tells which.
constexpr unsigned kNonAsciiParseFlags = kParseFlags | rapidjson::kParseValidateEncodingFlag;

[[noreturn]] void raiseCorrupted() {
    ORVERR_THROW(orverr::codes::kCorruptedFormat).comment(message::kInvalidJsonFile).raise();
}

// 1-based line and byte column of a byte offset; lines end at LF (a CR before it is the line's).
struct TextPosition {
    uint32_t line = 1;
    uint32_t column = 1;
};

TextPosition positionOf(const char* text, std::size_t offset) {
    TextPosition position;
    const char* lineStart = text;
    const char* const end = text + offset;
    for (const char* p = text; (p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr; ++p) {
        ++position.line;
        lineStart = p + 1;
    }
    position.column = static_cast<uint32_t>(end - lineStart) + 1;
    return position;
}

// Where the text breaks and why, so that the user can find it; an empty text says only that.
[[noreturn]] void raiseNotWellFormed(const char* text, const rapidjson::ParseResult& result) {
    orverr::Raise raise(orverr::codes::kCorruptedFormat, __FILE__, __LINE__, ORVERR_COMPONENT);
    raise.comment(message::kInvalidJsonFile);
    if (result.Code() != rapidjson::kParseErrorDocumentEmpty) {
        const TextPosition position = positionOf(text, result.Offset());
        raise.usageUInt32(usage::kSyntaxErrorLine, position.line).usageUInt32(usage::kSyntaxErrorColumn, position.column);
    }
    raise.usage(usage::kSyntaxErrorReason, rapidjson::GetParseError_En(result.Code()));
    raise.raise();
}

// The text is read where it lies and its strings are copied into the DOM's pool: the document is
// held once as text (the caller's) and once as a DOM, never a third time as a copy of the text.
// The caller's buffer is input and stays unchanged during the call, as with every input buffer.
JsonDocumentPtr parseTerminated(const char* text) {
    rapidjson::Document schemaDom;
    schemaDom.Parse<kParseFlags>(document::attributeConfigurationSchema());
    const rapidjson::SchemaDocument schema(schemaDom);

    // Must stay right before the parse of the same bytes: the recursive parse relies on its cap.
    const JsonScan scan = scanUntrustedJson(text);
    if (!scan.withinLimits) {
        raiseCorrupted();
    }
    const JsonDocumentPtr dom = std::make_shared<rapidjson::Document>();
    const rapidjson::ParseResult parsed = scan.nonAscii ? dom->Parse<kNonAsciiParseFlags>(text)
                                              : dom->Parse<kParseFlags>(text);
    if (parsed.IsError()) {
        raiseNotWellFormed(text, parsed);
    }

    // The schema's walk over the DOM also finds repeated member names.
    rapidjson::SchemaValidator validator(schema);
    DuplicateMemberFilter filter(validator);
    if (!dom->Accept(filter)) {
        if (filter.foundDuplicate()) {
            ORVERR_THROW(orverr::codes::kInvalidSchema).usage(usage::kDuplicateMemberPath, filter.duplicatePath()).raise();
        }
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
