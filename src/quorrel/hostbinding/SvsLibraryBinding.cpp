#include "quorrel/hostbinding/SvsLibraryBinding.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "common/platform/WideText.h"
#include "quorrel/messages/Messages.h"

namespace hostbinding {
namespace {

namespace msg = quorrel::messages;

// Both copies of a value are limited like the fixed buffers they stand for.
constexpr size_t kMaxValueLength = 259;

void store(SvsRegistryValue& target, const std::string& text) {
    target.ansi = text.substr(0, kMaxValueLength);
    target.wide = platform::utf8ToWide(text).substr(0, kMaxValueLength);
}

void query(const platform::RegistryKeyInterface* key, const char* name, SvsRegistryValue& target) {
    if (key == nullptr) return;
    std::string text;
    platform::OsError error;
    if (key->queryString(name, text, error)) store(target, text);
}

// The default view first, the 32-bit view for what is missing there; the view that answered.
const char* queryEitherView(const platform::RegistryKeyInterface* native, const platform::RegistryKeyInterface* view32,
                            const char* name, SvsRegistryValue& target) {
    query(native, name, target);
    if (!target.wide.empty()) return msg::kRegistryViewDefault;
    query(view32, name, target);
    return target.wide.empty() ? "" : msg::kRegistryView32;
}

// A message with its %NAME% fields filled in.
std::string filled(std::string text, std::initializer_list<std::pair<const char*, std::string>> fields) {
    for (const auto& field : fields) {
        for (size_t at = text.find(field.first); at != std::string::npos; at = text.find(field.first, at)) {
            text.replace(at, std::char_traits<char>::length(field.first), field.second);
            at += field.second.size();
        }
    }
    return msg::kBindingFailed + text;
}

std::string keyName() { return std::string(msg::kRegistryRoot) + SVS_REGISTRY_KEY; }

std::string withReason(std::string text, const platform::OsError& error) {
    if (!error.message.empty()) text += ": " + error.message;
    return text;
}

void fillEmpty(SvsRegistryValue& target, const SvsRegistryValue& fallback) {
    if (target.wide.empty()) target.wide = fallback.wide;
    if (target.ansi.empty()) target.ansi = fallback.ansi;
}

template <class Function>
void lookUp(platform::DynamicLibraryInterface& libraries, platform::LibraryHandle library, const char* name,
            Function& out) {
    platform::OsError error;
    out = reinterpret_cast<Function>(libraries.symbol(library, name, error));
}

}  // namespace

void SvsLibraryBinding::readRegistry() {
    registryRead_ = true;
    platform::OsError error;
    std::unique_ptr<platform::RegistryKeyInterface> native =
        registry_.openLocalMachineKey(SVS_REGISTRY_KEY, platform::RegistryView::Native, error);
    if (!native) {
        failure_ = withReason(
            filled(msg::kBindingKeyNotOpened, {{"%KEY%", keyName()}, {"%VIEW%", msg::kRegistryViewDefault}}), error);
        return;
    }
    query(native.get(), "CurrentSvsPath", values_.currentSvsPath);
    query(native.get(), "CurrentSvsVersion", values_.currentSvsVersion);
    query(native.get(), "SelfRegisteredSvsPath", values_.selfRegisteredSvsPath);
    query(native.get(), "SelfRegisteredSvsVersion", values_.selfRegisteredSvsVersion);
    if (!values_.selfRegisteredSvsPath.wide.empty()) {
        folderValue_ = "SelfRegisteredSvsPath";
        folderView_ = msg::kRegistryViewDefault;
    }

    std::unique_ptr<platform::RegistryKeyInterface> view32 =
        registry_.openLocalMachineKey(SVS_REGISTRY_KEY, platform::RegistryView::Registry32, error);
    queryEitherView(native.get(), view32.get(), "CurrentPath", values_.currentPath);
    queryEitherView(native.get(), view32.get(), "CurrentVersion", values_.currentVersion);
    queryEitherView(native.get(), view32.get(), "Command", values_.command);
    const char* pathView = queryEitherView(native.get(), view32.get(), "SelfRegisteredPath", values_.selfRegisteredPath);
    if (folderValue_.empty() && *pathView != '\0') {
        folderValue_ = "SelfRegisteredPath";
        folderView_ = pathView;
    }
    queryEitherView(native.get(), view32.get(), "SelfRegisteredVersion", values_.selfRegisteredVersion);
    queryEitherView(native.get(), view32.get(), "SelfRegisteredCommand", values_.selfRegisteredCommand);

    fillEmpty(values_.currentSvsPath, values_.currentPath);
    fillEmpty(values_.currentSvsVersion, values_.currentVersion);
    fillEmpty(values_.selfRegisteredSvsPath, values_.selfRegisteredPath);
    fillEmpty(values_.selfRegisteredSvsVersion, values_.selfRegisteredVersion);
}

void SvsLibraryBinding::bindLocked() {
    bindAttempted_ = true;
    if (!registryRead_) readRegistry();
    if (values_.selfRegisteredSvsPath.wide.empty()) {
        if (failure_.empty()) failure_ = filled(msg::kBindingNoFolder, {{"%KEY%", keyName()}});
        return;
    }
    // The folder value ends with its separator as the installer stored it.
    const std::string folder = platform::wideToUtf8(values_.selfRegisteredSvsPath.wide);
    const auto loadFailure = [&](const std::string& path, const platform::OsError& error) {
        return withReason(filled(msg::kBindingLoadFailed, {{"%PATH%", path},
                                                           {"%VALUE%", folderValue_},
                                                           {"%KEY%", keyName()},
                                                           {"%VIEW%", folderView_}}),
                          error);
    };
    platform::OsError svsError;
    platform::OsError svsutilsError;
    svs_ = libraries_.load(folder + SVS_LIBRARY_NAME, svsError);
    svsutils_ = libraries_.load(folder + SVSUTILS_LIBRARY_NAME, svsutilsError);
    if (svs_ == nullptr) failure_ = loadFailure(folder + SVS_LIBRARY_NAME, svsError);
    else if (svsutils_ == nullptr) failure_ = loadFailure(folder + SVSUTILS_LIBRARY_NAME, svsutilsError);
    if (svs_ == nullptr || svsutils_ == nullptr) return;
    lookUp(libraries_, svs_, "svsGetConfiguration", svsGetConfiguration_);
    lookUp(libraries_, svs_, "svsGetConfigurationEx", svsGetConfigurationEx_);
    lookUp(libraries_, svs_, "svsInitialize", svsInitialize_);
    lookUp(libraries_, svs_, "svsFinalize", svsFinalize_);
    lookUp(libraries_, svsutils_, "svsU32ToString", svsU32ToString_);
    lookUp(libraries_, svsutils_, "svsGuidFromString", svsGuidFromString_);
    lookUp(libraries_, svsutils_, "svsGuidToString", svsGuidToString_);
    lookUp(libraries_, svsutils_, "svsFree", svsFree_);
    if (svsGetConfiguration_ == nullptr) failure_ = filled(msg::kBindingEntryMissing, {{"%PATH%", folder + SVS_LIBRARY_NAME}});
    useCount_ = 1;
}

void SvsLibraryBinding::bind() {
    std::lock_guard<std::mutex> guard(lock_);
    if (bindDisabled_) return;
    if (!bindAttempted_) {
        bindLocked();
    } else {
        ++useCount_;
    }
}

IsvsConfiguration* SvsLibraryBinding::getConfiguration(ULONG flags, void* reserved, HRESULT* result) {
    bind();
    svsGetConfiguration_t entry;
    {
        std::lock_guard<std::mutex> guard(lock_);
        entry = svsGetConfiguration_;
    }
    HRESULT hr = E_FAIL;
    IsvsConfiguration* configuration = nullptr;
    if (entry != nullptr) {
        hr = entry(reserved, flags, &configuration);
        if (SUCCEEDED(hr) && configuration == nullptr) hr = E_FAIL;
    }
    if (result != nullptr) *result = hr;
    return configuration;
}

std::string SvsLibraryBinding::failure() {
    std::lock_guard<std::mutex> guard(lock_);
    return failure_;
}

SvsRegistryValues SvsLibraryBinding::registryValues() {
    std::lock_guard<std::mutex> guard(lock_);
    return values_;
}

uint32_t SvsLibraryBinding::useCount() {
    std::lock_guard<std::mutex> guard(lock_);
    return useCount_;
}

SvsLibraryBinding& svsLibraryBinding() {
    static SvsLibraryBinding binding(platform::registry(), platform::dynamicLibrary());
    return binding;
}

}  // namespace hostbinding
