#pragma once
// The plug-in's interface version range and the host's overlap check against it.
#include <cstdint>

namespace nQuorrel100 {

// Packed as major.minor.update phase build; 0x1210C000 is 18.1.0f0.
inline constexpr uint32_t kCurrentVersion = 0x1210C000u;
inline constexpr uint32_t kOldestCompatibleVersion = 0x1210C000u;

struct VersionRange {
    uint32_t oldest;
    uint32_t newest;
};

inline constexpr VersionRange kInstalledRange{kOldestCompatibleVersion, kCurrentVersion};

// What the check reports about a desired range; versions compare as plain unsigned words.
int32_t compareRanges(const VersionRange& desired, const VersionRange& installed);

// An error already in status is kept; a warning gives way only to an error.
int32_t foldStatus(int32_t status, int32_t result);

// Told about every failed check so that the host's developer can see why the plug-in was refused.
class VersionTraceInterface {
public:
    virtual ~VersionTraceInterface() = default;
    virtual void versionCheckFailed(int32_t status, const char* component, const VersionRange& desired,
                                    const VersionRange& installed) = 0;
};

class VersionChecker {
public:
    VersionChecker(VersionTraceInterface& trace, const VersionRange& installed = kInstalledRange)
        : trace_(trace), installed_(installed) {}
    void compareVersion(uint32_t newestDesired, uint32_t oldestDesired, int32_t& status,
                        const char* component);

private:
    VersionTraceInterface& trace_;
    VersionRange installed_;
};

}  // namespace nQuorrel100
