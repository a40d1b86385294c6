#include "ExplorerSession.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "BagValues.h"
#include "explorer/ComPtr.h"
#include "ConfigEdit.h"
#include "Console.h"
#include "HostObjects.h"
#include "HostPlatform.h"
#include "TimeStamp.h"
#include "ToolOptions.h"
#include "explorer/GuidText.h"
#include "explorer/PropertyTags.h"
#include "explorer/QuorrelExports.h"
#include "explorer/SysExpert.h"
#include "common/platform/WideText.h"
#include "storage/SimStorage.h"

namespace sysvistahost {

namespace {

// A safety limit only: notifications normally arrive within milliseconds.
constexpr std::chrono::seconds kNotificationWaitLimit(30);

struct Device {
    std::string id;
    std::string alias;
};

std::string versionText(const tSSVersion& version) {
    char text[tSSVersion::kMaxTextSize];
    return version.toString(text, sizeof text);
}

// Reads a string answer of the expert (slots 4-6).
std::string expertText(IsvSysExpert2* expert, HRESULT (IsvSysExpertInfo::*get)(BSTR*), HRESULT& hr) {
    BstrHolder text;
    hr = (expert->*get)(text.out());
    return platform::wideToUtf8(text.get());
}

std::string bagString(IsvSysPropertyBag* bag, ULONG tag) {
    BstrHolder text;
    if (FAILED(bag->GetString(tag, text.out()))) return "";
    return platform::wideToUtf8(text.get());
}

void printBag(IsvSysPropertyBag* bag) {
    printLine("Device " + bagString(bag, kSvSysTagDeviceID) + " \"" + bagString(bag, kSvSysTagUserAlias) + "\"");
    ComPtr<IsvSysEnumPropertyTag> tags;
    HRESULT hr = bag->GetAllTags(tags.out());
    if (FAILED(hr) || !tags) {
        printLine("  (no properties)");
        return;
    }
    char line[256];
    std::snprintf(line, sizeof line, "  %-10s  %-26s  %-9s  %s", "Tag", "Name", "Type", "Value");
    printLine(line);
    ULONG tag = 0;
    ULONG fetched = 0;
    while (tags->Next(1, &tag, &fetched) == S_OK && fetched == 1) {
        ULONG typeCode = 0;
        std::string value;
        HRESULT read = readValue(bag, tag, typeCode, value);
        if (FAILED(read)) value = "(" + formatResult(read) + ")";
        const char* name = tagName(tag);
        std::snprintf(line, sizeof line, "  %-10s  %-26s  %-9s  ", formatTag(tag).c_str(), name ? name : "-",
                      typeName(typeCode));
        printLine(line + value);
    }
}

std::string tagList(IsvSysEnumPropertyTag* tags) {
    std::string text;
    ULONG tag = 0;
    ULONG fetched = 0;
    while (tags != nullptr && tags->Next(1, &tag, &fetched) == S_OK && fetched == 1) {
        if (!text.empty()) text += ", ";
        const char* name = tagName(tag);
        text += name ? name : formatTag(tag);
    }
    return text.empty() ? "none" : text;
}

const Device* findDevice(const std::vector<Device>& devices, const std::string& key) {
    for (const Device& d : devices)
        if (d.id == key || d.alias == key) return &d;
    char* end = nullptr;
    unsigned long position = std::strtoul(key.c_str(), &end, 10);
    if (!key.empty() && *end == '\0' && position >= 1 && position <= devices.size()) return &devices[position - 1];
    return nullptr;
}

class Explorer {
public:
    explicit Explorer(const HostOptions& options) : options_(options) {}
    int run();

private:
    int checkVersion(const LoadedLibrary& plugin);
    int createExpert(const LoadedLibrary& plugin);
    int listDevices();
    int applyEdit(const SetRequest& request);
    int changeStorage();
    int editConfiguration();
    int awaitNotifications();
    void shutDown();

    const HostOptions& options_;
    ComPtr<IsvSysExpert2> expert_;
    ComPtr<IsvSysExpertPlugPlay> plugPlay_;
    ComPtr<HostSink> sink_;
    std::vector<Device> devices_;
};

int Explorer::checkVersion(const LoadedLibrary& plugin) {
    auto getCurrent = reinterpret_cast<nQuorrel100_getVersion_t>(plugin.symbol(QUORREL_EXPORT_GET_CURRENT_VERSION));
    auto getOldest =
        reinterpret_cast<nQuorrel100_getVersion_t>(plugin.symbol(QUORREL_EXPORT_GET_OLDEST_COMPATIBLE_VERSION));
    auto compare = reinterpret_cast<nQuorrel100_compareVersion_t>(plugin.symbol(QUORREL_EXPORT_COMPARE_VERSION));
    if (getCurrent == nullptr || getOldest == nullptr || compare == nullptr) {
        printError("the plug-in lacks the version exports");
        return kExitPluginNotLoadable;
    }
    int32_t status = 0;
    tSSVersion current = getCurrent(status);
    tSSVersion oldest = getOldest(status);
    tSSVersion desiredNewest(options_.desiredNewest);
    tSSVersion desiredOldest(options_.desiredOldest);
    printLine("plug-in versions " + versionText(oldest) + " - " + versionText(current) + ", desired " +
              versionText(desiredOldest) + " - " + versionText(desiredNewest));
    status = 0;
    compare(desiredNewest, desiredOldest, status, "Sysvista");
    if (status < 0) {
        printError("version check failed with status " + std::to_string(status));
        return kExitVersionMismatch;
    }
    printLine("version check: status " + std::to_string(status));
    return kExitSuccess;
}

int Explorer::createExpert(const LoadedLibrary& plugin) {
    auto create = reinterpret_cast<createDigiscanSysApiExpert_t>(plugin.symbol(QUORREL_EXPORT_CREATE_EXPERT));
    if (create == nullptr) {
        printError("the plug-in lacks " QUORREL_EXPORT_CREATE_EXPERT);
        return kExitPluginNotLoadable;
    }
    void* raw = nullptr;
    HRESULT hr = create(&raw);
    if (FAILED(hr) || raw == nullptr) {
        printError("creating the expert failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    // The factory hands out the primary interface; ask it properly for the newest one.
    ComPtr<IUnknown> object(static_cast<IsvSysExpert2*>(raw), false);
    hr = object.query(IID_IsvSysExpert2, expert_);
    if (FAILED(hr)) {
        printError("the expert does not answer IsvSysExpert2: " + formatResult(hr));
        return kExitExpertFailure;
    }
    hr = expert_->Initialize();
    if (FAILED(hr)) {
        printError("initialising the expert failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    // The expert answers its identity once it is initialised.
    GUID id{};
    HRESULT idResult = expert_->GetID(&id);
    HRESULT nameResult = S_OK, versionResult = S_OK, componentResult = S_OK;
    std::string name = expertText(expert_.get(), &IsvSysExpertInfo::GetName, nameResult);
    std::string version = expertText(expert_.get(), &IsvSysExpertInfo::GetVersion, versionResult);
    std::string component = expertText(expert_.get(), &IsvSysExpertInfo::GetComponentName, componentResult);
    for (HRESULT result : {idResult, nameResult, versionResult, componentResult}) {
        if (FAILED(result)) {
            printError("reading the expert's identity failed: " + formatResult(result));
            return kExitExpertFailure;
        }
    }
    printLine("expert " + guidText(id) + " \"" + name + "\" version " + version + " component " + component);
    hr = expert_.query(IID_IsvSysExpertPlugPlay, plugPlay_);
    if (SUCCEEDED(hr)) {
        *sink_.out() = new HostSink;
        hr = plugPlay_->RegisterSink(sink_.get());
    }
    if (FAILED(hr)) {
        printError("registering the notification sink failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    return kExitSuccess;
}

int Explorer::listDevices() {
    ComPtr<IsvSysEnumStringList> ids;
    HRESULT hr = expert_->GetDeviceIDs(ids.out());
    if (FAILED(hr)) {
        printError("listing the devices failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    std::vector<std::string> listed;
    for (;;) {
        BstrHolder id;
        ULONG fetched = 0;
        if (!ids || ids->Next(1, id.out(), &fetched) != S_OK || fetched != 1) break;
        listed.push_back(platform::wideToUtf8(id.get()));
    }
    printLine(std::to_string(listed.size()) + " device(s)");

    ComPtr<BagCollection> collection(new BagCollection, false);
    hr = expert_->GetAllPropertyBags(collection.get());
    if (FAILED(hr)) {
        printError("reading the property bags failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    ULONG count = 0;
    collection->GetCount(&count);
    for (ULONG i = 0; i < count; ++i) {
        ComPtr<IsvSysPropertyBag> bag;
        if (FAILED(collection->GetItem(i, bag.out()))) continue;
        printLine("");
        printBag(bag.get());
        devices_.push_back(Device{bagString(bag.get(), kSvSysTagDeviceID), bagString(bag.get(), kSvSysTagUserAlias)});
    }
    return kExitSuccess;
}

int Explorer::applyEdit(const SetRequest& request) {
    const Device* device = findDevice(devices_, request.device);
    ULONG tag = 0;
    if (device == nullptr) {
        printError("no device \"" + request.device + "\"");
        return kExitEditRefused;
    }
    if (!parseTag(request.name, tag)) {
        printError("unknown property \"" + request.name + "\"");
        return kExitEditRefused;
    }
    std::wstring id = platform::utf8ToWide(device->id);
    printLine("");
    printLine("edit " + device->id + " " + request.name + " = " + request.value);

    ComPtr<IsvSysPropertyBag> shown;
    HRESULT hr = expert_->GetPropertyBag(id.c_str(), shown.out());
    ComPtr<IsvSysPropertyBag2> shown2;
    if (SUCCEEDED(hr)) hr = shown.query(IID_IsvSysPropertyBag2, shown2);
    ComPtr<IsvSysPropertyBag> edited;
    if (SUCCEEDED(hr)) hr = shown2->Clone(edited.out());
    if (FAILED(hr)) {
        printError("reading the device's bag failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    std::string error;
    hr = writeValue(edited.get(), tag, request.value, error);
    if (FAILED(hr)) {
        printError(error.empty() ? "setting the value failed: " + formatResult(hr) : error);
        return kExitEditRefused;
    }

    ComPtr<IsvSysEnumPropertyTag> accepted;
    BstrHolder message;
    hr = expert_->ValidateProperties(id.c_str(), edited.get(), accepted.out(), message.out());
    std::string messageText = platform::wideToUtf8(message.get());
    printLine("validate: " + formatResult(hr) + ", accepted " + tagList(accepted.get()) +
              (messageText.empty() ? "" : ", message \"" + messageText + "\""));
    if (FAILED(hr)) return kExitEditRefused;
    if (options_.validateOnly) return kExitSuccess;

    ULONG result = 0;
    BstrHolder commitMessage;
    hr = expert_->CommitPropertiesEx(id.c_str(), edited.get(), &result, commitMessage.out());
    messageText = platform::wideToUtf8(commitMessage.get());
    printLine("commit: " + formatResult(hr) + ", result " + std::to_string(result) +
              (messageText.empty() ? "" : ", message \"" + messageText + "\""));
    if (FAILED(hr)) return kExitEditRefused;

    ComPtr<IsvSysPropertyBag> refreshed;
    hr = expert_->RefreshPropertyBag(id.c_str(), 1, &tag, FALSE, refreshed.out());
    if (FAILED(hr) || !refreshed) {
        printError("refreshing the device's bag failed: " + formatResult(hr));
        return kExitExpertFailure;
    }
    ULONG typeCode = 0;
    std::string value;
    readValue(refreshed.get(), tag, typeCode, value);
    printLine("refreshed: " + formatResult(hr) + ", " + request.name + " = " + value);
    return kExitSuccess;
}

int Explorer::changeStorage() {
    for (const std::string& object : options_.addedDevices) {
        const std::string stamp = timeStamp();
        int32_t status = SimStorage_addObject(object.c_str());
        if (status < 0) {
            printError("the storage refused the device " + object + ": status " + std::to_string(status));
            return kExitEditRefused;
        }
        printLine(stamp + " storage: device added");
    }
    for (const std::string& object : options_.changedDevices) {
        const std::string stamp = timeStamp();
        int32_t status = SimStorage_modifyObject(object.c_str());
        if (status < 0) {
            printError("the storage refused the change " + object + ": status " + std::to_string(status));
            return kExitEditRefused;
        }
        printLine(stamp + " storage: device changed");
    }
    for (const std::string& id : options_.removedDevices) {
        const std::string stamp = timeStamp();
        int32_t status = SimStorage_removeObject(id.c_str());
        if (status < 0) {
            printError("the storage refused to remove " + id + ": status " + std::to_string(status));
            return kExitEditRefused;
        }
        printLine(stamp + " storage: device " + id + " removed");
    }
    return kExitSuccess;
}

int Explorer::editConfiguration() {
    const std::string path = debugConfigurationPath();
    for (const SetRequest& edit : options_.configEdits) {
        const Device* device = findDevice(devices_, edit.device);
        if (device == nullptr) {
            printError("no device \"" + edit.device + "\"");
            return kExitEditRefused;
        }
        std::string error;
        const std::string stamp = timeStamp();
        if (!editDebugConfiguration(path, device->id, edit.name, edit.value, error)) {
            printError(error);
            return kExitEditRefused;
        }
        printLine(stamp + " Quorrel.config edited by hand: " + device->id + " " + edit.name + " = " + edit.value);
    }
    return kExitSuccess;
}

int Explorer::awaitNotifications() {
    if (options_.awaitedNotifications == 0 || !sink_) return kExitSuccess;
    if (sink_->waitForNotifications(options_.awaitedNotifications, kNotificationWaitLimit)) return kExitSuccess;
    printError("expected " + std::to_string(options_.awaitedNotifications) + " notification(s), received " +
               std::to_string(sink_->notificationCount()));
    return kExitNotificationsMissing;
}

void Explorer::shutDown() {
    if (plugPlay_) plugPlay_->RegisterSink(nullptr);
    if (expert_) {
        HRESULT hr = expert_->Shutdown();
        if (FAILED(hr)) printError("shutting the expert down failed: " + formatResult(hr));
    }
    plugPlay_.reset();
    expert_.reset();
    if (sink_) printLine("notifications received: " + std::to_string(sink_->notificationCount()));
    sink_.reset();
}

int Explorer::run() {
    printLine("loading " + options_.pluginPath);
    LoadedLibrary plugin(options_.pluginPath);
    if (!plugin.isLoaded()) {
        printError("cannot load " + options_.pluginPath + ": " + plugin.error());
        return kExitPluginNotLoadable;
    }
    // Worker threads of the plug-in may still be ending when the last reference goes.
    plugin.keepLoaded();
    int code = checkVersion(plugin);
    if (code == kExitSuccess) code = createExpert(plugin);
    if (code == kExitSuccess) code = listDevices();
    for (size_t i = 0; code == kExitSuccess && i < options_.sets.size(); ++i) code = applyEdit(options_.sets[i]);
    if (code == kExitSuccess) code = changeStorage();
    if (code == kExitSuccess) code = editConfiguration();
    if (code == kExitSuccess && expert_) {
        HRESULT hr = expert_->Refresh();
        printLine("refresh: " + formatResult(hr));
    }
    if (code == kExitSuccess) code = awaitNotifications();
    if (code == kExitSuccess && options_.watchSeconds > 0) {
        printLine("watching for " + std::to_string(options_.watchSeconds) + " s");
        std::this_thread::sleep_for(std::chrono::seconds(options_.watchSeconds));
    }
    shutDown();
    return code;
}

}  // namespace

int runExplorer(const HostOptions& options) { return Explorer(options).run(); }

int printVersions(const HostOptions& options) {
    printLine(orvtool::versionLine("sysvista-host"));
    LoadedLibrary plugin(options.pluginPath);
    auto getCurrent = reinterpret_cast<nQuorrel100_getVersion_t>(plugin.symbol(QUORREL_EXPORT_GET_CURRENT_VERSION));
    auto getOldest =
        reinterpret_cast<nQuorrel100_getVersion_t>(plugin.symbol(QUORREL_EXPORT_GET_OLDEST_COMPATIBLE_VERSION));
    if (getCurrent == nullptr || getOldest == nullptr) {
        printError("cannot read the plug-in's version from " + options.pluginPath + ": " +
                   (plugin.isLoaded() ? std::string("it lacks the version exports") : plugin.error()));
        return kExitPluginNotLoadable;
    }
    plugin.keepLoaded();
    int32_t status = 0;
    printLine("plug-in " + versionText(getCurrent(status)) + " (oldest compatible " + versionText(getOldest(status)) +
              ") " + options.pluginPath);
    return kExitSuccess;
}

}  // namespace sysvistahost
