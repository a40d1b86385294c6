#pragma once
// The debug configuration of one operation: the file's devices, parsed, edited and saved.
#include <exception>
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
    // What to do with a file whose content cannot be used (not JSON, another version, another shape).
    enum class ContentFaults { kThrow, kSetAside };

    // Locks, reads and parses the file (an empty file becomes {"version": 1, "devices": {}}).
    // Throws the file statuses and, with kThrow, the JSON and version statuses; the file is
    // unlocked again when it does. With kSetAside such content is kept as the fault and the
    // configuration starts empty; save() then throws that fault and leaves the file as it is.
    DebugConfiguration(ConfigContainerInterface& container, const DebugDeviceEntryFactoryInterface& factory,
                       ContentFaults faults = ContentFaults::kThrow);
    DebugConfiguration(const DebugConfiguration&) = delete;
    DebugConfiguration& operator=(const DebugConfiguration&) = delete;
    ~DebugConfiguration() override = default;

    std::shared_ptr<DebugDeviceEntryInterface> getEntry(const std::string& key) override;
    std::shared_ptr<DebugDeviceEntryInterface> getOrCreateEntry(const std::string& key,
                                                                const DebugDeviceEntryValues& values,
                                                                bool overwrite) override;
    bool save() override;

    bool hasEntry(const std::string& key) const { return devices_.find(key.c_str()) != nullptr; }
    // The set-aside content fault, or null.
    std::exception_ptr contentFault() const { return contentFault_; }

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

    void load(ContentFaults faults);
    // Inside the handler of a content fault: keeps it and starts from an empty document.
    void setAside();
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
    std::exception_ptr contentFault_;
};

}  // namespace nORVMISysAPICommon100
