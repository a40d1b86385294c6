#include "helvar/impexp/AttributeEnumeration.h"

#include <set>
#include <string>
#include <utility>

#include "helvar/impexp/InherentOptions.h"

namespace impexp {

namespace {

// Not readable, not readable by the user, not writable, not writable by the user.
constexpr IviAttrFlags kNotTransferableFlags = 0x2 | 0x8 | 0x4 | 0x10;

bool isExportable(miivi::IviWrapperInterface& wrapper, ViAttr id) {
    const ViBoolean available = wrapper.Ivi_AttributeIsAvailable(id);
    IviAttrFlags flags = 0;
    wrapper.Ivi_GetAttributeFlags(id, &flags);
    return available == 1 && (flags & kNotTransferableFlags) == 0 && !isInherentOption(id);
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
    // A key the engine names twice is one value: it is written once, where it first appears.
    std::set<std::pair<ViAttr, std::string>> seen;
    ViInt32 count = 0;
    wrapper.Ivi_GetNumAttributes(&count);
    for (ViInt32 index = 1; index <= count; ++index) {
        ViAttr id = 0;
        wrapper.Ivi_GetNthAttribute(index, &id);
        if (!isExportable(wrapper, id)) {
            continue;
        }
        for (std::string& channel : channelsOf(wrapper, id)) {
            if (!seen.emplace(id, channel).second) continue;
            AttributePtr facade = engineFactory.createForKey(AttributeKey(id, std::move(channel)));
            if (facade && dynamic_cast<const IviAttributeInterface<ViAddr>*>(facade.get()) == nullptr) {
                enumeration.push_back(std::move(facade));
            }
        }
    }
    return enumeration;
}

}  // namespace impexp
