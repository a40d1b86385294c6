#include "helvar/impexp/ImportExportFactory.h"

#include "helvar/impexp/AttributeFacadeFactory.h"
#include "helvar/impexp/ImporterExporter.h"
#include "helvar/impexp/SaverRestorer.h"

// The session object keeps the wrapper, the reader and the session information; each member made
// here carries the engine facade factory over them, built before and destroyed after its user.
namespace impexp {

namespace {

class SessionImporterExporter : public ImporterExporterInterface {
public:
    SessionImporterExporter(miivi::IviWrapperInterface& wrapper, GetAttributeHelperInterface& reader,
                            const SessionInformation* session)
        : factory_(wrapper, reader), engine_(wrapper, factory_, session) {}

    void importBuffer(uint32_t size, const char* text) override { engine_.importBuffer(size, text); }
    uint32_t exportBuffer(uint32_t size, char* buffer) override { return engine_.exportBuffer(size, buffer); }
    void importFile(const std::string& path) override { engine_.importFile(path); }
    void exportFile(const std::string& path) override { engine_.exportFile(path); }

private:
    AttributeFacadeFactory factory_;
    ImporterExporter engine_;
};

class SessionSaverRestorer : public SaverRestorerInterface {
public:
    SessionSaverRestorer(miivi::IviWrapperInterface& wrapper, GetAttributeHelperInterface& reader,
                         const SessionInformation* session)
        : factory_(wrapper, reader), store_(wrapper, factory_, session) {}

    void save() override { store_.save(); }
    void restore() override { store_.restore(); }

private:
    AttributeFacadeFactory factory_;
    SaverRestorer store_;
};

}  // namespace

std::unique_ptr<ImporterExporterInterface> makeImporterExporter(miivi::IviWrapperInterface& wrapper,
                                                                GetAttributeHelperInterface& reader,
                                                                const SessionInformation* session) {
    return std::make_unique<SessionImporterExporter>(wrapper, reader, session);
}

std::unique_ptr<SaverRestorerInterface> makeSaverRestorer(miivi::IviWrapperInterface& wrapper,
                                                          GetAttributeHelperInterface& reader,
                                                          const SessionInformation* session) {
    return std::make_unique<SessionSaverRestorer>(wrapper, reader, session);
}

}  // namespace impexp
