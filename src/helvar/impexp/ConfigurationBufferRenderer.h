#pragma once
// Renders the entries as the whole document of one session, with a fresh time stamp.
#include <string>

#include "helvar/impexp/SessionInformation.h"
#include "helvar/impexp/document/DocumentRenderer.h"
#include "helvar/impexp/document/TimeStamp.h"

namespace impexp {

class ConfigurationBufferRendererInterface {
public:
    virtual ~ConfigurationBufferRendererInterface() = default;
    virtual std::string render(const DocumentEntriesInterface& entries) const = 0;
};

class ConfigurationBufferRenderer : public ConfigurationBufferRendererInterface {
public:
    // Neither is owned; both outlive the renderer.
    ConfigurationBufferRenderer(const SessionInformation* session, const TimeStampSourceInterface& timeSource)
        : session_(session), timeSource_(timeSource) {}

    std::string render(const DocumentEntriesInterface& entries) const override;

private:
    const SessionInformation* session_;
    const TimeStampSourceInterface& timeSource_;
    DocumentRenderer writer_;
};

}  // namespace impexp
