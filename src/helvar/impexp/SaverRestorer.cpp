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
    // With the string's terminating NUL: the snapshot is parsed where it lies, not copied.
    engine_.importBuffer(static_cast<uint32_t>(document_.size() + 1), document_.c_str());
}

}  // namespace impexp
