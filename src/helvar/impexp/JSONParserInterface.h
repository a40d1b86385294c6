#pragma once
// Turns a document text into a DOM that is well formed and satisfies the embedded schema.
#include <cstddef>
#include <memory>

#include <rapidjson/document.h>

namespace impexp {

using JsonDocumentPtr = std::shared_ptr<rapidjson::Document>;

class JSONParserInterface {
public:
    virtual ~JSONParserInterface() = default;
    // text is NUL-terminated; failures are raised.
    virtual JsonDocumentPtr parse(const char* text) = 0;
    // The first length bytes of text, none of them a NUL: what parse reads of a text ending there.
    virtual JsonDocumentPtr parse(const char* text, std::size_t length) = 0;
};

}  // namespace impexp
