#include "helvar/orvxlator/XlatorManager.h"

#include <cstring>
#include <string>

#include "common/platform/KnownFolders.h"
#include "common/platform/Registry.h"
#include "helvar/orvdynlib/DynLib.h"

namespace orvxlator {
namespace {

template <typename Function>
Function resolve(platform::DynamicLibraryInterface& libraries, platform::LibraryHandle library, const char* name,
                 orverr::Status& status) {
    return reinterpret_cast<Function>(orvdynlib::symbol(libraries, library, name, status));
}

// Copies code and document of one status into another that holds no error.
void copyStatus(orverr::Status& target, const orverr::Status& source) {
    if (!orverr::setCode(target, source.code) || !source.json) return;
    const uint32_t length = static_cast<uint32_t>(std::strlen(source.json));
    if (target.reallocate(target, length + 2)) orverr::initialiseBuffer(target, source.json);
}

}  // namespace

XlatorManager::XlatorManager(const orvsysq::SystemQueryInterface& system, platform::DynamicLibraryInterface& libraries)
    : system_(system), libraries_(libraries) {}

XlatorManager::~XlatorManager() { unload(); }

void XlatorManager::load() {
    loadTried_ = true;
    orverr::Status& status = loadStatus_;
    std::string path;
    system_.shellFolder(platform::folder::kSystem, path, status);
    path += "\\";
    path += kLibraryName;
    library_ = orvdynlib::load(libraries_, path.c_str(), status);
    createSession_ = resolve<ManagerCreateSessionFunction>(libraries_, library_, "orvxlatormgr_createSession", status);
    destroySession_ =
        resolve<ManagerDestroySessionFunction>(libraries_, library_, "orvxlatormgr_destroySession", status);
    createXlator_ = resolve<ManagerCreateXlatorFunction>(libraries_, library_, "orvxlatormgr_createXlator", status);
    destroyXlator_ = resolve<ManagerDestroyXlatorFunction>(libraries_, library_, "orvxlatormgr_destroyXlator", status);
    if (!status.isError()) session_ = createSession_(&status);
    if (status.isError()) unload();
}

void XlatorManager::unload() {
    if (session_ && destroySession_) destroySession_(session_);
    session_ = nullptr;
    if (library_) orvdynlib::unload(libraries_, library_);
    library_ = nullptr;
    createSession_ = nullptr;
    destroySession_ = nullptr;
    createXlator_ = nullptr;
    destroyXlator_ = nullptr;
}

XlatorInterface* XlatorManager::createXlator(const char* name, orverr::Status& status) {
    if (status.isError()) return nullptr;
    if (!loadTried_) load();
    if (loadStatus_.isError()) {
        copyStatus(status, loadStatus_);
        return nullptr;
    }
    XlatorInterface* xlator = createXlator_(session_, name, &status, nullptr);
    if (status.isError()) {
        if (xlator) destroyXlator_(session_, xlator);
        return nullptr;
    }
    return xlator;
}

void XlatorManager::destroyXlator(XlatorInterface* xlator) {
    if (xlator && destroyXlator_) destroyXlator_(session_, xlator);
}

std::unique_ptr<XlatorManager> makeXlatorManager() {
    static const orvsysq::SystemQuery system(platform::registry(), platform::knownFolders());
    return std::make_unique<XlatorManager>(system, platform::dynamicLibrary());
}

}  // namespace orvxlator
