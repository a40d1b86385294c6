#include "helvar/impexp/ImportExportSessionSettings.h"

namespace impexp_auxTemplate {

namespace {

constexpr int32_t kFirstLanguage = 0;
constexpr int32_t kLastLanguage = 5;

ViInt32 readInt32(miivi::IviWrapperInterface& wrapper, ViAttr id) {
    ViInt32 value = 0;
    wrapper.Ivi_GetAttributeViInt32("", id, 0, &value);
    return value;
}

std::string readBooleanText(miivi::IviWrapperInterface& wrapper, ViAttr id) {
    ViBoolean value = VI_FALSE;
    wrapper.Ivi_GetAttributeViBoolean("", id, 0, &value);
    return std::to_string(value);
}

}  // namespace

int32_t readLanguage(miivi::IviWrapperInterface& wrapper) {
    const ViInt32 language = readInt32(wrapper, kAttrLanguage);
    return language >= kFirstLanguage && language <= kLastLanguage ? language : kFirstLanguage;
}

std::string readOptionString(miivi::IviWrapperInterface& wrapper) {
    std::string options = "Simulate=" + readBooleanText(wrapper, kAttrSimulate);
    options += ",RangeCheck=" + readBooleanText(wrapper, kAttrRangeCheck);
    options += ",Cache=" + readBooleanText(wrapper, kAttrCache);
    ViChar setup[kDriverSetupBufferSize] = {};
    wrapper.Ivi_GetAttributeViString("", kAttrDriverSetup, 0, kDriverSetupBufferSize, setup);
    setup[kDriverSetupBufferSize - 1] = '\0';
    return options + ",DriverSetup=" + setup;
}

int32_t readModelNumber(miivi::IviWrapperInterface& wrapper) { return readInt32(wrapper, kAttrModelNumber); }

}  // namespace impexp_auxTemplate
