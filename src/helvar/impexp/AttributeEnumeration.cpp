#include "helvar/impexp/AttributeEnumeration.h"

#include <algorithm>
#include <array>
#include <string>

namespace impexp {

namespace {

// Not readable, not readable by the user, not writable, not writable by the user.
constexpr IviAttrFlags kNotTransferableFlags = 0x2 | 0x8 | 0x4 | 0x10;

// Range check, query instrument status, cache, simulate, record coercions, driver setup and
// interchange check: the session's own options, not instrument settings.
constexpr std::array<ViAttr, 7> kInherentOptions = {1050002, 1050003, 1050004, 1050005,
                                                    1050006, 1050007, 1050021};

bool isExportable(miivi::IviWrapperInterface& wrapper, ViAttr id) {
    const ViBoolean available = wrapper.Ivi_AttributeIsAvailable(id);
    IviAttrFlags flags = 0;
    wrapper.Ivi_GetAttributeFlags(id, &flags);
    return available == 1 && (flags & kNotTransferableFlags) == 0 &&
           std::find(kInherentOptions.begin(), kInherentOptions.end(), id) == kInherentOptions.end();
}

// The channel names an attribute has values for; one empty name for a session-wide attribute.
std::vector<std::string> channelsOf(miivi::IviWrapperInterface& wrapper, ViAttr id) {
    ViConstString repCap = nullptr;
    wrapper.Ivi_GetAttributeRepCapName(id, &repCap);
    if (repCap == nullptr || *repCap == '\0') {
        return {std::string()};
    }
    std::vector<std::string> channels;
    for (ViInt32 n = 1;; ++n) {
        ViConstString name = nullptr;
        wrapper.Ivi_GetNthRepCapName(repCap, n, &name);
        if (name == nullptr || *name == '\0') {
            if (n == 1) {
                channels.emplace_back();
                continue;
            }
            break;
        }
        channels.emplace_back(name);
    }
    return channels;
}

}  // namespace

AttributeEnumeration enumerateSessionAttributes(miivi::IviWrapperInterface& wrapper,
                                                AttributeFacadeFactoryInterface& engineFactory) {
    AttributeEnumeration enumeration;
    ViInt32 count = 0;
    wrapper.Ivi_GetNumAttributes(&count);
    for (ViInt32 index = 1; index <= count; ++index) {
        ViAttr id = 0;
        wrapper.Ivi_GetNthAttribute(index, &id);
        if (!isExportable(wrapper, id)) {
            continue;
        }
        for (std::string& channel : channelsOf(wrapper, id)) {
            AttributePtr facade = engineFactory.createForKey(AttributeKey(id, std::move(channel)));
            if (facade && dynamic_cast<const IviAttributeInterface<ViAddr>*>(facade.get()) == nullptr) {
                enumeration.push_back(std::move(facade));
            }
        }
    }
    return enumeration;
}

}  // namespace impexp
