#include "helvar/impexp/DocumentCheck.h"

#include <cstring>
#include <string>

#include "common/orverr/Raise.h"
#include "helvar/impexp/DefaultChannelCapabilityInfo.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/ImportConfigurationValidator.h"
#include "helvar/impexp/JSONAttributeContainer.h"
#include "helvar/impexp/JSONParser.h"
#include "helvar/impexp/document/DocumentConstants.h"

namespace impexp {

namespace {

// Without a session no attribute has a type: every entry's form is checked, none is collected.
class NoSessionTypes : public AttributeTypeGetterInterface {
public:
    AttributeType getType(ViAttr) override { return kTypeUnknown; }
};

}  // namespace

void checkDocumentWithoutSession(uint32_t size, const char* text) {
    if (size != 0 && text == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullBuffer).raise();
    }
    // As an import reads a buffer: exactly size bytes, ended early by a NUL.
    const std::string document(text == nullptr ? "" : text, text == nullptr ? 0 : strnlen(text, size));
    const JsonDocumentPtr dom = JSONParser().parse(document.c_str());

    // The document's own channel list stands for the session's: each channel maps to itself.
    SessionInformation self;
    const auto& channels = (*dom)[document::key::kSession][document::key::kChannels];
    self.channels.assign(channels.GetString(), channels.GetStringLength());
    NoSessionTypes types;
    JSONAttributeContainer container;
    ImportConfigurationValidator(&self, types, DefaultChannelCapabilityInfo::instance())
        .validateDocument(*dom, container);
}

}  // namespace impexp
