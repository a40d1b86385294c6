#include "quorrel/debugconfig/SettingsTrace.h"

#include "palu/Trace.h"
#include "quorrel/messages/Messages.h"

namespace nORVMISysAPICommon100 {

void traceDebugSettings(const std::string& text, const char* file, int line) noexcept {
    namespace msg = quorrel::messages;
    nORVMDBG100::tTrace::getInstance()
        .putPrefix(msg::kTraceTypeInfo, ORVERR_COMPONENT, file, line)
        .putf(msg::kSettingsFaultTrace, text.c_str())
        .endl();
}

}  // namespace nORVMISysAPICommon100
