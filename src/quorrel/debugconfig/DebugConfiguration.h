#pragma once
#include <unordered_map>
#include <memory>
#include <string>

#include "quorrel/debugconfig/ConfigContainerInterface.h"
#include "quorrel/debugconfig/DebugConfigurationInterface.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactoryInterface.h"
#include "quorrel/debugconfig/MemberIndex.h"

struct cJSON;

namespace nORVMISysAPICommon100 {

// Holds the file locked from construction to destruction; lives for one operation.
class DebugConfiguration final : public DebugConfigurationInterface {
public:
    // Locks, reads and parses the file (an empty file becomes {"version": 1, "devices": {}}).
    // Throws the JSON, version and file statuses; the file is unlocked again when it does.
    DebugConfiguration(ConfigContainerInterface& container, const DebugDeviceEntryFactoryInterface& factory);
    DebugConfiguration(const DebugConfiguration&) = delete;
    DebugConfiguration& operator=(const DebugConfiguration&) = delete;
    ~DebugConfiguration() override = default;

    std::shared_ptr<DebugDeviceEntryInterface> getEntry(const std::string& key) override;
    std::shared_ptr<DebugDeviceEntryInterface> getOrCreateEntry(const std::string& key,
                                                                const DebugDeviceEntryValues& values,
                                                                bool overwrite) override;
    bool save() override;

private:
    class FileLock {
    public:
        explicit FileLock(ConfigContainerInterface& container);
        FileLock(const FileLock&) = delete;
        FileLock& operator=(const FileLock&) = delete;
        ~FileLock();

    private:
        ConfigContainerInterface& container_;
    };

    void load();
    cJSON& devices() const;
    // The entry of key, made on first use: over the member spelt exactly so, else the first
    // member whose name matches without regard to case.
    std::shared_ptr<DebugDeviceEntryInterface> entryOf(const std::string& key, cJSON* matched);

    ConfigContainerInterface& container_;
    const DebugDeviceEntryFactoryInterface& factory_;
    FileLock lock_;
    std::shared_ptr<cJSON> root_;
    // "devices" by member name; built once per load.
    MemberIndex devices_;
    // Entries by their exact key, made when first asked for.
    std::unordered_map<std::string, std::shared_ptr<DebugDeviceEntryInterface>> entries_;
    std::string text_;
};

}  // namespace nORVMISysAPICommon100
