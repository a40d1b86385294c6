#pragma once
// The per-session object of this library: registered in the driver session, it owns the
// session's wrapper, desired-value reader, import/export engine and save/restore store, and the
// settings captured at initialization. Members are built in declaration order and torn down in
// reverse; the wrapper (in the base) outlives them all.
#include <cstdint>
#include <memory>
#include <string>

#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"
#include "helvar/impexp/ImporterExporterInterface.h"
#include "helvar/impexp/SaverRestorerInterface.h"
#include "helvar/impexp/SessionInformation.h"
#include "helvar/miivi/Session.h"
#include "helvar/miivi/SessionAttributeDefinition.h"

namespace impexp_auxTemplate {

class ImportExportSession : public miivi::Session<SessionAttributeDefinition> {
public:
    // Takes over wrapper and reader; registers itself. Raises on failure, leaving nothing
    // registered and everything handed in released.
    ImportExportSession(std::unique_ptr<miivi::IviWrapperInterface> wrapper,
                        std::unique_ptr<impexp::GetAttributeHelperInterface> reader, int32_t language,
                        const std::string& channels, const std::string& optionString, int32_t modelNumber);
    ~ImportExportSession() override;

    // Builds the object of the wrapper's session, which its registration there owns until close;
    // raises as the constructor does.
    static void open(std::unique_ptr<miivi::IviWrapperInterface> wrapper,
                     std::unique_ptr<impexp::GetAttributeHelperInterface> reader, int32_t language,
                     const std::string& channels, const std::string& optionString, int32_t modelNumber);
    // Destroys the object registered for the wrapper's handle, ending its registration; raises
    // kSessionNotRegistered.
    static void close(miivi::IviWrapperInterface& wrapper);

    // The registered object of the wrapper's handle; raises kSessionNotRegistered.
    static ImportExportSession& lookup(miivi::IviWrapperInterface& wrapper);

    const impexp::SessionInformation& sessionInformation() const { return information_; }
    impexp::ImporterExporterInterface& importerExporter() { return *importerExporter_; }
    impexp::SaverRestorerInterface& saverRestorer() { return *saverRestorer_; }

private:
    impexp::SessionInformation information_;
    std::unique_ptr<impexp::GetAttributeHelperInterface> reader_;
    std::unique_ptr<impexp::ImporterExporterInterface> importerExporter_;
    std::unique_ptr<impexp::SaverRestorerInterface> saverRestorer_;
};

}  // namespace impexp_auxTemplate
