#include "quorrel/expertbase/DeviceKey.h"

#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"

namespace nORVMISysAPICommon100 {

std::string deviceKeyOf(const sysapicpp::PropertyBagHandle& bag) {
    (void)bag.getString(kSvSysTagUserAlias);
    return platform::wideToUtf8(bag.getString(kSvSysTagDeviceID));
}

}  // namespace nORVMISysAPICommon100
