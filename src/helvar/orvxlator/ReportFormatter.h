#pragma once
// The plain-text report of one status: the static description of its code, its elaborations as
// "label: value" lines, optional debug lines, and nested errors indented below.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/orverr/JsonReader.h"
#include "common/orverr/Status.h"
#include "helvar/orvxlator/Session.h"

namespace orvxlator {
namespace json1 {

// Texts appended around one dynamic item; empty when unset.
struct ItemStyle {
    std::string itemBegin;
    std::string keyBegin;
    std::string keyEnd;
    std::string valueBegin;
    std::string elementBegin;
    std::string elementEnd;
    std::string elementSeparator;
};

class StyleTable {
public:
    StyleTable(ItemStyle fallback, std::vector<std::pair<std::string, ItemStyle>> entries)
        : fallback_(std::move(fallback)), entries_(std::move(entries)) {}
    // The entry named exactly type, else the default.
    const ItemStyle& find(const std::string& type) const;

private:
    ItemStyle fallback_;
    std::vector<std::pair<std::string, ItemStyle>> entries_;
};

// "elaboration" items bare, every other item on a line of its own as "key: value", with the
// language's separator (English for an invalid language).
const StyleTable& reportStyleTable(uint32_t language);

// Renders one "dynamic" or "debug" array.
void formatDynamicReportItems(const orverr::JsonValue& array, const StyleTable& styles, std::string& text,
                              orverr::Status& status);

// Receives each finished section with its nesting level.
class NestedFormatter {
public:
    virtual ~NestedFormatter() = default;
    virtual void format(uint32_t level, const std::string& text, orverr::Status& status) = 0;
};

// Nesting of "nested_error" beyond this many levels is refused.
inline constexpr uint32_t kMaximumNesting = 32;

// The whole report of a status (flags: Static 0x1, Dynamic 0x2, Debug 0x4, Nested 0x8). Does
// nothing when code is 0 or the status already holds an error; what was written before a failure
// stays in text.
void translateErrStatusToRawText(SessionInterface& session, int32_t code, const char* document, uint32_t language,
                                 uint32_t flags, std::string& text, orverr::Status& status);

}  // namespace json1
}  // namespace orvxlator
