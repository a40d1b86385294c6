#include "helvar/impexp/ImportExportSession.h"

#include "helvar/impexp/ImportExportFactory.h"

namespace impexp_auxTemplate {

ImportExportSession::ImportExportSession(std::unique_ptr<miivi::IviWrapperInterface> wrapper,
                                         std::unique_ptr<impexp::GetAttributeHelperInterface> reader,
                                         int32_t language, const std::string& channels,
                                         const std::string& optionString, int32_t modelNumber)
    : Session(std::move(wrapper), language),
      information_{channels, optionString, modelNumber},
      reader_(std::move(reader)),
      importerExporter_(impexp::makeImporterExporter(this->wrapper(), *reader_, &information_)),
      saverRestorer_(impexp::makeSaverRestorer(this->wrapper(), *reader_, &information_)) {}

ImportExportSession::~ImportExportSession() = default;

void ImportExportSession::open(std::unique_ptr<miivi::IviWrapperInterface> wrapper,
                               std::unique_ptr<impexp::GetAttributeHelperInterface> reader, int32_t language,
                               const std::string& channels, const std::string& optionString, int32_t modelNumber) {
    auto object = std::make_unique<ImportExportSession>(std::move(wrapper), std::move(reader), language, channels,
                                                        optionString, modelNumber);
    object.release();  // the registration holds it from here on
}

void ImportExportSession::close(miivi::IviWrapperInterface& wrapper) {
    const std::unique_ptr<ImportExportSession> registered(&lookup(wrapper));
}

ImportExportSession& ImportExportSession::lookup(miivi::IviWrapperInterface& wrapper) {
    // Only this class registers under SessionAttributeDefinition.
    return *static_cast<ImportExportSession*>(Session::lookup(wrapper));
}

}  // namespace impexp_auxTemplate
