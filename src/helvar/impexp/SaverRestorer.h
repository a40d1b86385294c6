#pragma once
// The in-memory save and restore of a session's attributes.
#include <string>

#include <boost/noncopyable.hpp>

#include "helvar/impexp/ImporterExporter.h"
#include "helvar/impexp/SaverRestorerInterface.h"

namespace impexp {

// Keeps the last snapshot as the complete document text an export to a buffer renders, and
// restores it exactly as an import of that document from a buffer.
class SaverRestorer : public SaverRestorerInterface, private boost::noncopyable {
public:
    // Builds its own engine, which enumerates the session's attributes a second time.
    SaverRestorer(miivi::IviWrapperInterface& wrapper, AttributeFacadeFactoryInterface& engineFactory,
                  const SessionInformation* session);

    void save() override;
    void restore() override;

private:
    ImporterExporter engine_;
    std::string document_;
};

}  // namespace impexp
