#include "quorrel/package/PackageHooks.h"

#include "common/platform/ModulePath.h"
#include "palu/PackageEventLog.h"
#include "quorrel/messages/Messages.h"

namespace quorrel {

namespace msg = quorrel::messages;

int32_t quorrelPackageCallback(uint32_t) { return 0; }

void PackageHooks::logFailure(const char* format, int32_t status) {
    std::string module = log_.moduleFileName();
    if (module.empty()) module = msg::kUnknownModule;
    // The system's module name buffer holds 260 characters.
    if (module.size() > 259) module.resize(259);
    log_.failure(format, module, status);
}

bool PackageHooks::processAttach() {
    log_.packageEvent(package::kLoad);
    int32_t status = callback_(package::kLoad);
    if (status >= 0) {
        firstStageDone_ = true;
        log_.packageEvent(package::kLoadComplete);
        status = callback_(package::kLoadComplete);
        if (status >= 0) {
            fullyAttached_ = true;
            return true;
        }
    }
    logFailure(msg::kProcessAttachFailed, status);
    return false;
}

bool PackageHooks::threadAttach() {
    const int32_t status = callback_(package::kThreadAttach);
    if (status >= 0) return true;
    logFailure(msg::kThreadAttachFailed, status);
    return false;
}

bool PackageHooks::threadDetach() {
    callback_(package::kThreadDetach);
    return true;
}

bool PackageHooks::processDetach(bool processExiting) {
    if (fullyAttached_) {
        callback_(package::kUnloadBegin);
        if (!processExiting) log_.packageEvent(package::kUnloadBegin);
        fullyAttached_ = false;
    }
    if (firstStageDone_) {
        callback_(package::kUnload);
        if (!processExiting) log_.packageEvent(package::kUnload);
        firstStageDone_ = false;
    }
    return true;
}

void PlatformPackageLog::packageEvent(uint32_t event) {
    pkgModulePackageEventLog(event, msg::kModuleFileName, msg::kBuildDescription, msg::kPackageName);
}

void PlatformPackageLog::failure(const char* format, const std::string& module, int32_t status) {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
    _palLogEvent(msg::kPackageLogSource, format, module.c_str(), static_cast<int>(status));
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

std::string PlatformPackageLog::moduleFileName() { return platform::moduleFileName(moduleAddress_); }

}  // namespace quorrel
