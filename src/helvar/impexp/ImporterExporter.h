#pragma once
// The import/export engine of one session: documents to and from files and buffers.
#include <cstddef>

#include <boost/noncopyable.hpp>

#include "helvar/impexp/AttributeEnumeration.h"
#include "helvar/impexp/ConfigurationBufferRenderer.h"
#include "helvar/impexp/ImporterExporterInterface.h"
#include "helvar/impexp/SessionInformation.h"
#include "helvar/impexp/document/TimeStamp.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

// The import/export engine of one session. Its attribute enumeration is made once, here:
// attributes that appear in the session later are neither exported nor saved.
class ImporterExporter : public ImporterExporterInterface, private boost::noncopyable {
public:
    // Nothing is owned; the session object outlives the engine.
    ImporterExporter(miivi::IviWrapperInterface& wrapper, AttributeFacadeFactoryInterface& engineFactory,
                     const SessionInformation* session);

    void importBuffer(uint32_t size, const char* text) override;
    uint32_t exportBuffer(uint32_t size, char* buffer) override;
    void importFile(const std::string& path) override;
    void exportFile(const std::string& path) override;

    // The whole document of the session's current settings.
    std::string exportText() const;
    // Parses, validates and applies the document in the first length bytes of text, none of them a
    // NUL.
    // The document is the first length bytes of text; terminated says that text[length] is a NUL
    // the caller's buffer holds, so the text can be parsed where it lies.
    void importText(const char* text, std::size_t length, bool terminated);

private:
    miivi::IviWrapperInterface& wrapper_;
    const SessionInformation* session_;
    UtcTimeStampSource timeSource_;
    ConfigurationBufferRenderer renderer_;
    AttributeEnumeration enumeration_;
};

}  // namespace impexp
