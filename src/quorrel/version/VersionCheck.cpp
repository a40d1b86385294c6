#include "quorrel/version/VersionCheck.h"

#include "explorer/QuorrelExports.h"

namespace nQuorrel100 {

int32_t compareRanges(const VersionRange& desired, const VersionRange& installed) {
    if (desired.newest < desired.oldest) return kQuorrelVersionRangeInverted;
    if (desired.newest < installed.oldest) return kQuorrelVersionTooOld;
    if (desired.oldest > installed.newest) return kQuorrelVersionTooNew;
    return 0;
}

int32_t foldStatus(int32_t status, int32_t result) {
    if (status == 0) return result;
    if (status > 0 && result < 0) return result;
    return status;
}

void VersionChecker::compareVersion(uint32_t newestDesired, uint32_t oldestDesired, int32_t& status,
                                    const char* component) {
    if (status < 0) return;
    const VersionRange desired{oldestDesired, newestDesired};
    status = foldStatus(status, compareRanges(desired, installed_));
    if (status < 0) trace_.versionCheckFailed(status, component, desired, installed_);
}

}  // namespace nQuorrel100
