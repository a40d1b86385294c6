#include "quorrel/version/PlatformVersionTrace.h"

#include "palu/Trace.h"
#include "palu/tSSVersion.h"
#include "quorrel/messages/Messages.h"

namespace nQuorrel100 {
namespace {

struct VersionText {
    explicit VersionText(uint32_t value) { tSSVersion(value).toString(text, sizeof text); }
    char text[tSSVersion::kMaxTextSize];
};

}  // namespace

void PlatformVersionTrace::versionCheckFailed(int32_t status, const char* component, const VersionRange& desired,
                                              const VersionRange& installed) {
    namespace msg = quorrel::messages;
    using namespace nORVMDBG100;
    if (!evalCheck(msg::kVersionCheckText, msg::kVersionCheckKind, ORVERR_COMPONENT, __FILE__, __LINE__)) return;
    notificationAction(msg::kVersionCheckText, msg::kVersionCheckKind, ORVERR_COMPONENT, __FILE__, __LINE__);
    continuationAction(msg::kVersionCheckText, msg::kVersionCheckKind, ORVERR_COMPONENT, __FILE__, __LINE__);
    const VersionText oldest(desired.oldest), newest(desired.newest);
    const VersionText installedOldest(installed.oldest), installedNewest(installed.newest);
    tTrace& trace = tTrace::getInstance().putPrefix(msg::kTraceTypeInfo, ORVERR_COMPONENT, __FILE__, __LINE__);
    if (component != nullptr) {
        trace.putf(msg::kVersionCheckFailedComponent, status, component, oldest.text, newest.text,
                   installedOldest.text, installedNewest.text);
    } else {
        trace.putf(msg::kVersionCheckFailedAnonymous, status, oldest.text, newest.text, installedOldest.text,
                   installedNewest.text);
    }
    trace.endl();
}

}  // namespace nQuorrel100
