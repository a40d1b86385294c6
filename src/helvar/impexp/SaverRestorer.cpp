#include "helvar/impexp/SaverRestorer.h"

namespace impexp {

SaverRestorer::SaverRestorer(miivi::IviWrapperInterface& wrapper, AttributeFacadeFactoryInterface& engineFactory,
                             const SessionInformation* session)
    : engine_(wrapper, engineFactory, session) {}

void SaverRestorer::save() {
    // Assigned only once the whole snapshot exists: a failed save keeps the previous one.
    document_ = engine_.exportText();
}

void SaverRestorer::restore() {
    engine_.importBuffer(static_cast<uint32_t>(document_.size()), document_.c_str());
}

}  // namespace impexp
