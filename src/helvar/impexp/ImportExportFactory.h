#pragma once
// Builds the import/export members of a session object. Both enumerate the session's
// exportable attributes once, here (during Helvar_Initialize, without the session lock).
// The wrapper, the reader and the session information belong to the session object and
// outlive what is returned.
#include <memory>

#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"
#include "helvar/impexp/ImporterExporterInterface.h"
#include "helvar/impexp/SaverRestorerInterface.h"
#include "helvar/impexp/SessionInformation.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

std::unique_ptr<ImporterExporterInterface> makeImporterExporter(miivi::IviWrapperInterface& wrapper,
                                                                GetAttributeHelperInterface& reader,
                                                                const SessionInformation* session);

std::unique_ptr<SaverRestorerInterface> makeSaverRestorer(miivi::IviWrapperInterface& wrapper,
                                                          GetAttributeHelperInterface& reader,
                                                          const SessionInformation* session);

}  // namespace impexp
