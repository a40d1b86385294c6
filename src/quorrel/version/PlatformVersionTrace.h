#pragma once
// Reports failed version checks through the platform's debug trace, when that check is enabled.
#include "quorrel/version/VersionCheck.h"

namespace nQuorrel100 {

class PlatformVersionTrace final : public VersionTraceInterface {
public:
    void versionCheckFailed(int32_t status, const char* component, const VersionRange& desired,
                            const VersionRange& installed) override;
};

}  // namespace nQuorrel100
