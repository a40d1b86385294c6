#include "helvar/impexp/document/DocumentRenderer.h"

#include <boost/numeric/conversion/cast.hpp>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include "helvar/impexp/document/NonFiniteReal.h"

namespace impexp {
namespace {

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

// Roughly what one entry takes, so that the buffer seldom grows while writing.
constexpr std::size_t kBytesPerEntry = 128;
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
    rapidjson::StringBuffer buffer(nullptr, kHeaderBytes + entries.entryCount() * kBytesPerEntry);
    Writer writer(buffer);
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

    return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace impexp
