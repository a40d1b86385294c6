#include "helvar/impexp/ImporterExporter.h"

#include <cstring>
#include <string_view>

#include "common/orverr/Raise.h"
#include "helvar/impexp/CallerBuffer.h"
#include "helvar/impexp/DefaultChannelCapabilityInfo.h"
#include "helvar/impexp/EntryNaming.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/ImportConfigurationValidator.h"
#include "helvar/impexp/ImporterExporterImplementation.h"
#include "helvar/impexp/IviSessionAttributeTypeGetter.h"
#include "helvar/impexp/JSONAttributeContainer.h"
#include "helvar/impexp/JSONParser.h"
#include "helvar/impexp/document/DocumentConstants.h"
#include "helvar/impexp/file/TextFileReader.h"
#include "helvar/impexp/file/TextFileWriter.h"

namespace impexp {

ImporterExporter::ImporterExporter(miivi::IviWrapperInterface& wrapper, AttributeFacadeFactoryInterface& engineFactory,
                                   const SessionInformation* session)
    : wrapper_(wrapper),
      session_(session),
      renderer_(session, timeSource_),
      enumeration_(enumerateSessionAttributes(wrapper, engineFactory)) {}

std::string ImporterExporter::exportText() const {
    return impexp::exportText(enumeration_, renderer_);
}

uint32_t ImporterExporter::exportBuffer(uint32_t size, char* buffer) {
    if (size != 0 && buffer == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullBuffer).raise();
    }
    return copyToCallerBuffer(exportText(), size, buffer);
}

void ImporterExporter::importBuffer(uint32_t size, const char* text) {
    if (size != 0 && text == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullBuffer).raise();
    }
    if (size == 0) {
        importText("", 0, true);
        return;
    }
    // Exactly size bytes; a NUL among them ends the document, so a count with or without the
    // terminating NUL reads the same text.
    const void* nul = std::memchr(text, '\0', size);
    if (nul != nullptr) {
        importText(text, static_cast<std::size_t>(static_cast<const char*>(nul) - text), true);
    } else {
        importText(text, size, false);
    }
}

void ImporterExporter::importText(const char* text, std::size_t length, bool terminated) {
    JSONParser parser;
    const JsonDocumentPtr document = terminated ? parser.parse(text) : parser.parse(text, length);

    // The records reference the document's names and values: the document outlives them.
    JSONAttributeContainer container(JSONAttributeContainer::Texts::borrowed);
    IviSessionAttributeTypeGetter typeGetter(wrapper_);
    ImportConfigurationValidator validator(session_, typeGetter, DefaultChannelCapabilityInfo::instance());
    validator.validate(*document, container);

    // The first refusal ends the import; entries before it stay applied. The refusal names the
    // document entry, which is still at hand.
    importEntries(container, wrapper_, [&](std::size_t record, orverr::Status& refusal) {
        const auto entries = (*document)[document::key::kAttributes].GetArray();
        const std::size_t index = validator.entryPositions().entryIndexOf(record);
        if (index < entries.Size()) nameEntry(refusal, index, entries[static_cast<rapidjson::SizeType>(index)]);
    });
}

void ImporterExporter::importFile(const std::string& path) {
    // The reader refuses files of 2 GiB or more, so the size always fits.
    const std::string text = TextFileReader(path.c_str()).readAll();
    // A byte-order mark is not part of the format: such a file is refused as malformed. Counting
    // the string's own terminating NUL reads the same document, parsed where it lies.
    importBuffer(static_cast<uint32_t>(text.size() + 1), text.data());
}

void ImporterExporter::exportFile(const std::string& path) {
    // Opened before rendering, so a bad path fails before any value is read.
    TextFileWriter file(path.c_str());
    const std::string text = exportText();
    file.writeAll(text.data(), text.size());
}

}  // namespace impexp
