#include "helvar/impexp/document/DocumentRenderer.h"

#include <string>
#include <string_view>

#include <boost/numeric/conversion/cast.hpp>
#include <rapidjson/prettywriter.h>

#include "helvar/impexp/document/NonFiniteReal.h"

namespace impexp {

// The writer's output goes straight into the string that is the result: the text is written
// once and never copied. The string is sized ahead and written through a pointer, as a character
// appended to a string costs several times a store.
class DocumentTextOutput {
public:
    using Ch = char;
    DocumentTextOutput(std::string& text, std::size_t expected) : text_(text) {
        text_.resize(expected < kMinimumSize ? kMinimumSize : expected);
        next_ = &text_[0];
        end_ = next_ + text_.size();
    }
    void Put(char c) {
        if (next_ == end_) grow(1);
        *next_++ = c;
    }
    // The writer reserves room for what it is about to write, then puts without checks.
    void Reserve(std::size_t count) {
        if (static_cast<std::size_t>(end_ - next_) < count) grow(count);
    }
    void PutUnsafe(char c) { *next_++ = c; }
    void Flush() {}
    // Cuts the text to what was written.
    void finish() { text_.resize(static_cast<std::size_t>(next_ - text_.data())); }

private:
    static constexpr std::size_t kMinimumSize = 64;

    void grow(std::size_t count) {
        const std::size_t written = static_cast<std::size_t>(next_ - text_.data());
        text_.resize(written + count > text_.size() * 2 ? written + count : text_.size() * 2);
        next_ = &text_[0] + written;
        end_ = &text_[0] + text_.size();
    }

    std::string& text_;
    char* next_;
    char* end_;
};

}  // namespace impexp

namespace rapidjson {
template <>
inline void PutReserve(impexp::DocumentTextOutput& stream, size_t count) {
    stream.Reserve(count);
}
template <>
inline void PutUnsafe(impexp::DocumentTextOutput& stream, char c) {
    stream.PutUnsafe(c);
}
}  // namespace rapidjson

namespace impexp {
namespace {

using Writer = rapidjson::PrettyWriter<DocumentTextOutput>;

// A little over what one entry takes (about 140 bytes with a name of 25 characters), so that the
// text does not grow, and get copied, while it is written.
constexpr std::size_t kBytesPerEntry = 160;
constexpr std::size_t kHeaderBytes = 512;
constexpr unsigned kIndent = 3;

void writeString(Writer& writer, std::string_view text) {
    writer.String(text.data(), boost::numeric_cast<rapidjson::SizeType>(text.size()));
}

void writeReal(Writer& writer, double value) {
    if (const char* text = document::nonFiniteRealText(value)) {
        writer.String(text);
    } else {
        writer.Double(value);
    }
}

class EntryWriter : public DocumentEntryVisitorInterface {
public:
    explicit EntryWriter(Writer& writer) : writer_(writer) {}

    void visit(const DocumentEntry& entry) override {
        writer_.StartObject();
        writer_.Key(document::key::kId);
        writer_.Uint(entry.id);
        writer_.Key(document::key::kName);
        writeString(writer_, entry.name);
        writer_.Key(document::key::kChannel);
        writeString(writer_, entry.channel);
        writeValue(entry.value);
        writer_.EndObject();
    }

private:
    void writeValue(const DocumentValue& value) {
        switch (value.type) {
        case kTypeInt32:
            writer_.Key(document::key::kValue);
            writer_.Int(static_cast<int32_t>(value.integer));
            break;
        case kTypeInt64:
            writer_.Key(document::key::kValue);
            writer_.Int64(value.integer);
            break;
        case kTypeReal64:
            writer_.Key(document::key::kValue);
            writeReal(writer_, value.real);
            break;
        case kTypeString:
            writer_.Key(document::key::kValue);
            writeString(writer_, value.text);
            break;
        case kTypeSession:
            writer_.Key(document::key::kValue);
            writer_.Uint(static_cast<uint32_t>(value.integer));
            break;
        case kTypeBoolean:
            writer_.Key(document::key::kValue);
            writer_.Bool(value.integer != 0);
            break;
        default:
            // No JSON form: the entry carries its identity only.
            break;
        }
    }

    Writer& writer_;
};

}  // namespace

std::string DocumentRenderer::render(const DocumentHeader& header, const DocumentEntriesInterface& entries) const {
    std::string text;
    DocumentTextOutput output(text, kHeaderBytes + entries.entryCount() * kBytesPerEntry);
    Writer writer(output);
    writer.SetIndent(' ', kIndent);

    writer.StartObject();
    writer.Key(document::key::kFormatVersion);
    writer.Int(header.formatVersion);
    writer.Key(document::key::kOldestCompatibleFormatVersion);
    writer.Int(header.oldestCompatibleFormatVersion);
    writer.Key(document::key::kTimeStamp);
    writeString(writer, header.timeStamp);

    writer.Key(document::key::kSession);
    writer.StartObject();
    writer.Key(document::key::kChannels);
    writeString(writer, header.channels);
    writer.Key(document::key::kOptionString);
    writeString(writer, header.optionString);
    writer.EndObject();

    writer.Key(document::key::kGeneratedBy);
    writer.StartObject();
    writer.Key(document::key::kName);
    writeString(writer, header.generatorName);
    writer.Key(document::key::kVersion);
    writeString(writer, header.generatorVersion);
    writer.EndObject();

    writer.Key(document::key::kDevices);
    writer.StartArray();
    writer.StartObject();
    writer.Key(document::key::kModelNumber);
    writer.Int(header.modelNumber);
    writer.EndObject();
    writer.EndArray();

    writer.Key(document::key::kAttributes);
    writer.StartArray();
    EntryWriter entryWriter(writer);
    entries.forEachEntry(entryWriter);
    writer.EndArray();
    writer.EndObject();
    output.finish();
    return text;
}

}  // namespace impexp
