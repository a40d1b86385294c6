#include "quorrel/debugconfig/DeviceKey.h"

#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"
#include "quorrel/dsc/GuidText.h"

namespace nORVMISysAPICommon100 {

std::string deviceKeyOf(const sysapicpp::PropertyBagHandle& bag) {
    (void)bag.getString(kSvSysTagUserAlias);
    return orv::dsc::canonicalGuidText(platform::wideToUtf8(bag.getString(kSvSysTagDeviceID)));
}

}  // namespace nORVMISysAPICommon100
