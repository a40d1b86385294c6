#include "helvar/impexp/ConfigurationBufferRenderer.h"

namespace impexp {

std::string ConfigurationBufferRenderer::render(const DocumentEntriesInterface& entries) const {
    DocumentHeader header;
    header.timeStamp = timeSource_.now();
    header.channels = session_->channels;
    header.optionString = session_->optionString;
    header.modelNumber = session_->modelNumber;
    return writer_.render(header, entries);
}

}  // namespace impexp
