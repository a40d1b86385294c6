#include "helvar/miivi/SessionBase.h"

#include <cstring>

#include "common/orverr/Raise.h"

namespace miivi {

namespace {
constexpr ViInt32 kNameBufferSize = 256;
}  // namespace

SessionBase::SessionBase(std::unique_ptr<IviWrapperInterface> wrapper, int32_t language)
    : wrapper_(std::move(wrapper)), language_(language) {}

SessionBase::~SessionBase() = default;

bool SessionBase::isRegistered(IviWrapperInterface& wrapper, ViAttr attributeId, const char* attributeName) {
    if (wrapper.getSession() == 0) return false;
    if (wrapper.Ivi_SessionIsAvailable() != VI_TRUE) return false;
    if (wrapper.Ivi_AttributeIsAvailable(attributeId) != VI_TRUE) return false;
    ViChar name[kNameBufferSize] = {};
    // A failure (or a name too long for the buffer) only means: not ours.
    if (wrapper.Ivi_GetAttributeName(attributeId, kNameBufferSize, name, true) != VI_SUCCESS) return false;
    name[kNameBufferSize - 1] = '\0';
    return std::strcmp(name, attributeName) == 0;
}

SessionBase* SessionBase::lookup(IviWrapperInterface& wrapper, ViAttr attributeId, const char* attributeName) {
    if (!isRegistered(wrapper, attributeId, attributeName)) ORVERR_THROW(orverr::codes::kSessionNotRegistered).raise();
    ViAddr address = nullptr;
    wrapper.Ivi_GetAttributeViAddr(nullptr, attributeId, 0, &address);
    if (!address) ORVERR_THROW(orverr::codes::kSessionNotRegistered).raise();
    return static_cast<SessionBase*>(address);
}

}  // namespace miivi
