#include "Report.h"

#include <cstdio>
#include <ostream>
#include <string>

#include "DriverSession.h"
#include "common/orverr/CodeTable.h"

namespace helvartool {

void reportFailure(std::ostream& out, const char* operation, ViStatus status, ViSession handle) {
    const orverr::ErrorCode* known = orverr::findErrorCode(status);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(status));
    out << operation << " failed: " << (known ? known->constant : "engine status") << " (" << status << ", " << hex << ")\n";
    const std::string message = DriverSession::engineMessage(status);
    if (!message.empty()) out << "  engine message: " << message << "\n";
    const PendingError pending = DriverSession::takePendingError(handle);
    if (pending.primary != 0) {
        out << "  recorded for " << (handle ? "the session" : "the process (null handle)") << ": " << pending.primary << "\n";
        if (!pending.elaboration.empty()) out << "  description: " << pending.elaboration << "\n";
    }
}

}  // namespace helvartool
