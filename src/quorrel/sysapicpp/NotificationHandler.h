#pragma once
// A channel that tells the host's plug-and-play sink about added, removed and changed devices.
#include <cstdint>
#include <string>
#include <vector>

namespace sysapicpp {

// Notification kinds the host's sink receives.
inline constexpr uint32_t kDevicesAdded = 1;
inline constexpr uint32_t kDevicesRemoved = 2;
inline constexpr uint32_t kDevicesChanged = 3;

class NotificationHandler {
public:
    virtual ~NotificationHandler() = default;
    // Wraps id in a one-element list.
    virtual void notify(uint32_t kind, const std::string& id);
    virtual void notify(uint32_t kind, const std::vector<std::string>& ids) = 0;
    // True while the host has a sink registered.
    virtual bool isConnected() = 0;
};

}  // namespace sysapicpp
