#pragma once
// The platform's package load and unload steps of the plug-in module. On Linux they run from
// the library's constructor and destructor; the system has no per-thread attach event, so the
// thread steps are only run by a caller that has one.
#include <cstdint>
#include <string>

namespace quorrel {

// Package events (as the platform's package log numbers them).
namespace package {
inline constexpr uint32_t kLoad = 0;
inline constexpr uint32_t kUnload = 1;
inline constexpr uint32_t kLoadComplete = 2;
inline constexpr uint32_t kUnloadBegin = 3;
inline constexpr uint32_t kThreadAttach = 4;
inline constexpr uint32_t kThreadDetach = 5;
}  // namespace package

using PackageCallback = int32_t (*)(uint32_t event);

// The plug-in's own callback: no work for any event.
int32_t quorrelPackageCallback(uint32_t event);

class PackageLogInterface {
public:
    virtual ~PackageLogInterface() = default;
    virtual void packageEvent(uint32_t event) = 0;
    // One line of the system event log (format has %s for the module and %d for the status).
    virtual void failure(const char* format, const std::string& module, int32_t status) = 0;
    // The module's file name, "" when it cannot be read.
    virtual std::string moduleFileName() = 0;
};

class PackageHooks final {
public:
    PackageHooks(PackageLogInterface& log, PackageCallback callback) : log_(log), callback_(callback) {}

    bool processAttach();
    bool threadAttach();
    bool threadDetach();
    // processExiting: the process ends, and the platform library's objects may already be gone
    // (statics and thread-local data are destroyed before the unload hooks run), so the steps
    // run without being logged.
    bool processDetach(bool processExiting = false);

private:
    void logFailure(const char* format, int32_t status);

    PackageLogInterface& log_;
    PackageCallback callback_;
    bool firstStageDone_ = false;
    bool fullyAttached_ = false;
};

// Logs through the platform library orvpalu; moduleAddress is any address inside the module.
class PlatformPackageLog final : public PackageLogInterface {
public:
    explicit PlatformPackageLog(const void* moduleAddress) : moduleAddress_(moduleAddress) {}
    void packageEvent(uint32_t event) override;
    void failure(const char* format, const std::string& module, int32_t status) override;
    std::string moduleFileName() override;

private:
    const void* moduleAddress_;
};

}  // namespace quorrel
