#pragma once
// What the renderer writes: the document header and an ordered sequence of typed entries.
// The entries are read through an interface so that a container can hand its records to the
// renderer without copying them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "helvar/impexp/AttributeTypes.h"
#include "helvar/impexp/document/DocumentConstants.h"

namespace impexp {

// One typed value; `type` is the attribute's engine type code and selects the field that holds it.
// A type without a JSON form (ViAddr, unknown codes) renders the entry without a "value" member.
struct DocumentValue {
    AttributeType type = kTypeUnknown;
    int64_t integer = 0;     // ViInt32, ViInt64, ViSession, ViBoolean
    double real = 0.0;       // ViReal64
    std::string_view text;   // ViString: must outlive the render call

    static DocumentValue int32(ViInt32 v) { return withInteger(kTypeInt32, v); }
    static DocumentValue int64(ViInt64 v) { return withInteger(kTypeInt64, v); }
    static DocumentValue session(ViSession v) { return withInteger(kTypeSession, v); }
    static DocumentValue boolean(ViBoolean v) { return withInteger(kTypeBoolean, v); }
    static DocumentValue real64(ViReal64 v) {
        DocumentValue value;
        value.type = kTypeReal64;
        value.real = v;
        return value;
    }
    static DocumentValue string(std::string_view v) {
        DocumentValue value;
        value.type = kTypeString;
        value.text = v;
        return value;
    }
    // No value member (ViAddr and anything without a JSON form).
    static DocumentValue none(AttributeType type = kTypeAddr) {
        DocumentValue value;
        value.type = type;
        return value;
    }

private:
    static DocumentValue withInteger(AttributeType type, int64_t v) {
        DocumentValue value;
        value.type = type;
        value.integer = v;
        return value;
    }
};

// One member of "attributes". The views must stay valid during the render call.
struct DocumentEntry {
    uint32_t id = 0;
    std::string_view name;
    std::string_view channel;
    DocumentValue value;
};

// Everything of the document but the entries.
struct DocumentHeader {
    int32_t formatVersion = document::kFormatVersion;
    int32_t oldestCompatibleFormatVersion = document::kOldestCompatibleFormatVersion;
    std::string timeStamp;      // see TimeStamp.h
    std::string channels;       // the session's channel list text, verbatim
    std::string optionString;   // the session's option string, verbatim
    std::string generatorName = document::kGeneratorName;
    std::string generatorVersion = document::kGeneratorVersion;
    int32_t modelNumber = 0;
};

class DocumentEntryVisitorInterface {
public:
    virtual ~DocumentEntryVisitorInterface() = default;
    virtual void visit(const DocumentEntry& entry) = 0;
};

// The entries in document order.
class DocumentEntriesInterface {
public:
    virtual ~DocumentEntriesInterface() = default;
    // Number of entries forEachEntry will visit (a sizing hint for the renderer).
    virtual std::size_t entryCount() const = 0;
    virtual void forEachEntry(DocumentEntryVisitorInterface& visitor) const = 0;
};

// A simple owning list of entries, for callers that have no container of their own.
class DocumentEntryList : public DocumentEntriesInterface {
public:
    void addInt32(uint32_t id, std::string name, std::string channel, ViInt32 value);
    void addInt64(uint32_t id, std::string name, std::string channel, ViInt64 value);
    void addReal64(uint32_t id, std::string name, std::string channel, ViReal64 value);
    void addString(uint32_t id, std::string name, std::string channel, std::string value);
    void addSession(uint32_t id, std::string name, std::string channel, ViSession value);
    void addBoolean(uint32_t id, std::string name, std::string channel, ViBoolean value);
    void addWithoutValue(uint32_t id, std::string name, std::string channel, AttributeType type = kTypeAddr);

    std::size_t entryCount() const override { return entries_.size(); }
    void forEachEntry(DocumentEntryVisitorInterface& visitor) const override;

private:
    struct OwnedEntry {
        uint32_t id;
        std::string name;
        std::string channel;
        std::string text;
        DocumentValue value;  // its text view is rebuilt from `text` on each visit
    };
    void add(uint32_t id, std::string name, std::string channel, DocumentValue value, std::string text = {});

    std::vector<OwnedEntry> entries_;
};

}  // namespace impexp
