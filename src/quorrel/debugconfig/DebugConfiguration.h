#pragma once
// The debug configuration file, parsed and locked for the life of the object. The lock excludes
// every other open of the file, this thread's included: open one configuration at a time per thread.
#include <cstdint>
#include <exception>
#include <unordered_map>
#include <memory>
#include <string>

#include "quorrel/debugconfig/ConfigContainerInterface.h"
#include "quorrel/debugconfig/DebugDeviceEntry.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/MemberIndex.h"

struct cJSON;

namespace nORVMISysAPICommon100 {

// Values handed to getOrCreateEntry: the bag's tags 0x10001000, 0x10002000 and 0x10003000.
struct DebugDeviceEntryValues {
    bool debugEnabled = true;  // not stored
    int32_t debugSessionConfiguration = 1;
    bool serverIsOutOfProcess = false;
};

// Holds the file locked from construction to destruction; lives for one operation.
class DebugConfiguration final {
public:
    // What to do with a file whose content cannot be used (not JSON, another version, another shape).
    enum class ContentFaults { kThrow, kSetAside };

    // Locks, reads and parses the file (an empty file becomes {"version": 1, "devices": {}}).
    // Throws the file statuses and, with kThrow, the JSON and version statuses; the file is
    // unlocked again when it does. With kSetAside such content is kept as the fault and the
    // configuration starts empty; save() then throws that fault and leaves the file as it is.
    DebugConfiguration(ConfigContainerInterface& container, const DebugDeviceEntryFactory& factory,
                       ContentFaults faults = ContentFaults::kThrow);
    DebugConfiguration(const DebugConfiguration&) = delete;
    DebugConfiguration& operator=(const DebugConfiguration&) = delete;

    // Throws the entry-not-found status (kUsageTypeToken = key) when the key has no entry.
    std::shared_ptr<DebugDeviceEntry> getEntry(const std::string& key);
    // Creates a missing entry with values; an existing one takes values only with overwrite.
    std::shared_ptr<DebugDeviceEntry> getOrCreateEntry(const std::string& key, const DebugDeviceEntryValues& values,
                                                       bool overwrite);
    // Writes the document when its text changed since it was last read or written; returns
    // whether it wrote.
    bool save();

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
    std::shared_ptr<DebugDeviceEntry> entryOf(const std::string& key, cJSON* matched);

    ConfigContainerInterface& container_;
    const DebugDeviceEntryFactory& factory_;
    FileLock lock_;
    std::shared_ptr<cJSON> root_;
    // "devices" by member name; built once per load.
    MemberIndex devices_;
    // Entries by their exact key, made when first asked for.
    std::unordered_map<std::string, std::shared_ptr<DebugDeviceEntry>> entries_;
    std::string text_;
    std::exception_ptr contentFault_;
};

}  // namespace nORVMISysAPICommon100
