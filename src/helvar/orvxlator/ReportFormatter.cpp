#include "helvar/orvxlator/ReportFormatter.h"

#include "helvar/orvxlator/DebugMembers.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlator/LocalXlatorRegistration.h"

namespace orvxlator {
namespace json1 {
namespace {

constexpr uint32_t kStatic = 0x1;
constexpr uint32_t kDynamic = 0x2;
constexpr uint32_t kDebug = 0x4;
constexpr uint32_t kNested = 0x8;
constexpr uint32_t kNestedFlagsWithDebug = 15;
constexpr uint32_t kNestedFlags = 11;
constexpr const char* kStaticAfter = "\n";
constexpr const char* kDynamicAfter = "\n";
constexpr const char* kIndent = "   ";
constexpr const char* kReportDebugKey = "translateErrStatusToFormattedText";
constexpr const char* kItemsDebugKey = "formatDynamicReportItems";

void trimLineEnds(std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == '\r' || text[begin] == '\n')) ++begin;
    std::size_t end = text.size();
    while (end > begin && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
    text = text.substr(begin, end - begin);
}

void refuseItems(orverr::Status& status, const char* message, std::initializer_list<DebugValue> extra) {
    orverr::Raise raise(status, orverr::codes::kInvalidParameter, __FILE__, __LINE__, ORVERR_COMPONENT);
    if (!raise.installed()) return;
    orverr::JsonCursor cursor = orverr::beginObject(raise.topLevel(), kDebugObject);
    cursor = orverr::addString(cursor, kItemsDebugKey, message);
    for (const DebugValue& value : extra) cursor = value.write(cursor);
}

// Appends one string element; false (status set) when it is no string.
bool appendElement(const orverr::JsonValue& element, const ItemStyle& style, std::string& text,
                   orverr::Status& status) {
    const auto decoded = orverr::decodeString(element);
    if (!decoded) {
        refuseItems(status, "json1 dynamic object invalid. value can only be string",
                    {{"value type", static_cast<int32_t>(element.type)}});
        return false;
    }
    text += style.elementBegin;
    text += *decoded;
    text += style.elementEnd;
    return true;
}

class RawTextFormatter : public NestedFormatter {
public:
    explicit RawTextFormatter(std::string& report) : report_(report) {}

    void format(uint32_t level, const std::string& section, orverr::Status&) override {
        std::string text = section;
        trimLineEnds(text);
        if (level > 0) {
            std::string indent;
            for (uint32_t i = 0; i < level; ++i) indent += kIndent;
            std::string indented = indent;
            for (char c : text) {
                indented += c;
                if (c == '\n') indented += indent;
            }
            text = std::move(indented);
        }
        report_ += text;
        report_ += "\n\n";
    }

private:
    std::string& report_;
};

class LevelFormatter {
public:
    LevelFormatter(SessionInterface& session, NestedFormatter& output, uint32_t language)
        : session_(session), output_(output), language_(language) {}

    void format(uint32_t level, int32_t code, const char* document, uint32_t flags, orverr::Status& status) {
        if (status.isError()) return;
        if (level > kMaximumNesting) {
            addObject(ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter), kDebugObject,
                      {{kReportDebugKey, "nested_error nesting too deep"}, {"level", level}});
            return;
        }
        std::string name = orverr::readStringMember(document, "translator").value_or("");
        if (name.empty()) name = kDefaultXlatorName;

        std::string staticText;
        std::string dynamicText;
        if (flags & kStatic) session_.staticDescription(code, name, language_, staticText, status);
        if ((flags & (kDynamic | kDebug)) && name != kDefaultXlatorName && !status.isError())
            session_.dynamicDescription(document, language_, dynamicText, status);

        std::string section;
        if ((flags & kStatic) && !staticText.empty()) {
            section += staticText;
            section += kStaticAfter;
        }
        if (!dynamicText.empty()) {
            const orverr::JsonValue answer = orverr::parseValue(dynamicText.c_str());
            if (flags & kDynamic) {
                if (const char* items = orverr::findMember(dynamicText.c_str(), "dynamic"))
                    formatDynamicReportItems(orverr::parseValue(items), reportStyleTable(language_), section, status);
                section += kDynamicAfter;
            }
            const char* debug = orverr::findMember(dynamicText.c_str(), "debug");
            if ((flags & kDebug) && answer.type == orverr::JsonType::Object && debug)
                formatDynamicReportItems(orverr::parseValue(debug), reportStyleTable(language_), section, status);
        }
        output_.format(level, section, status);
        if ((flags & kNested) && !status.isError()) formatNested(level, document, flags, status);
    }

private:
    void formatNested(uint32_t level, const char* document, uint32_t flags, orverr::Status& status) {
        const char* nested = orverr::findMember(document, "nested_error");
        if (!nested) return;
        const uint32_t nestedFlags = (flags & kDebug) ? kNestedFlagsWithDebug : kNestedFlags;
        const orverr::JsonValue value = orverr::parseValue(nested);
        if (value.type == orverr::JsonType::Object) {
            formatObject(level + 1, value, nestedFlags, status);
            return;
        }
        if (value.type != orverr::JsonType::Array) {
            refuseNested(status, "jsonz_type", value.type, document, "nested_error contains invalid json type");
            return;
        }
        std::vector<orverr::JsonValue> elements;
        if (!orverr::arrayElements(value, elements)) {
            refuseNested(status, "jsonz_type", value.type, document, "nested_error contains invalid json type");
            return;
        }
        for (const orverr::JsonValue& element : elements) {
            if (element.type != orverr::JsonType::Object) {
                refuseNested(status, "invalid json_type", element.type, document,
                             "nested_error contains invalid json type on one of the element");
                return;
            }
            formatObject(level + 1, element, nestedFlags, status);
            if (status.isError()) return;
        }
    }

    void formatObject(uint32_t level, const orverr::JsonValue& object, uint32_t flags, orverr::Status& status) {
        const std::string text(object.begin, object.end);
        const int32_t code = static_cast<int32_t>(orverr::readIntegerMember(text.c_str(), "code").value_or(0));
        format(level, code, text.c_str(), flags, status);
    }

    static void refuseNested(orverr::Status& status, const char* typeKey, orverr::JsonType type,
                             const char* document, const char* message) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter), kDebugObject,
                  {{typeKey, static_cast<int32_t>(type)}, {"json", document}, {kReportDebugKey, message}});
    }

    SessionInterface& session_;
    NestedFormatter& output_;
    uint32_t language_;
};

}  // namespace

const ItemStyle& StyleTable::find(const std::string& type) const {
    for (const auto& entry : entries_) {
        if (entry.first == type) return entry.second;
    }
    return fallback_;
}

const StyleTable& reportStyleTable(uint32_t language) {
    static const std::vector<StyleTable> tables = [] {
        std::vector<StyleTable> byLanguage;
        for (const Language& entry : kLanguages)
            byLanguage.emplace_back(ItemStyle{"\n", "", entry.labelSeparator, "", "", "", ", "},
                                    std::vector<std::pair<std::string, ItemStyle>>{{"elaboration", ItemStyle{}}});
        return byLanguage;
    }();
    return tables[findLanguage(language) ? language : 0];
}

void formatDynamicReportItems(const orverr::JsonValue& array, const StyleTable& styles, std::string& text,
                              orverr::Status& status) {
    if (status.isError()) return;
    std::vector<orverr::JsonValue> items;
    bool valid = orverr::arrayElements(array, items);
    for (const orverr::JsonValue& item : items) valid = valid && item.type == orverr::JsonType::Object;
    if (!valid) {
        refuseItems(status, "json1 dynamic object invalid. each array item must be an object",
                    {{"json1DynamicObjectBegin", array.begin ? std::string(array.begin) : std::string()}});
        return;
    }
    for (const orverr::JsonValue& item : items) {
        const std::string object(item.begin, item.end);
        const ItemStyle& style = styles.find(orverr::readStringMember(object.c_str(), "type").value_or(""));
        text += style.itemBegin;
        const std::string key = orverr::readStringMember(object.c_str(), "key").value_or("");
        if (!key.empty()) {
            text += style.keyBegin;
            text += key;
            text += style.keyEnd;
        }
        const char* valuePosition = orverr::findMember(object.c_str(), "value");
        if (!valuePosition) continue;
        const orverr::JsonValue value = orverr::parseValue(valuePosition);
        if (value.type == orverr::JsonType::None) {
            refuseItems(status, "json1 dynamic object invalid. something's wrong with value item",
                        {{"json1DynamicObjectBegin", object}, {"value", std::string(valuePosition)}});
            return;
        }
        text += style.valueBegin;
        if (value.type != orverr::JsonType::Array) {
            if (!appendElement(value, style, text, status)) return;
            continue;
        }
        std::vector<orverr::JsonValue> elements;
        orverr::arrayElements(value, elements);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (i > 0) text += style.elementSeparator;
            if (!appendElement(elements[i], style, text, status)) return;
        }
    }
}

void translateErrStatusToRawText(SessionInterface& session, int32_t code, const char* document, uint32_t language,
                                 uint32_t flags, std::string& text, orverr::Status& status) {
    if (code == 0 || status.isError()) return;
    RawTextFormatter output(text);
    LevelFormatter(session, output, language).format(0, code, document, flags, status);
    trimLineEnds(text);
}

}  // namespace json1
}  // namespace orvxlator
