#include "helvar/orvsysq/SystemQuery.h"

#include "common/orverr/InternalError.h"
#include "common/orverr/Raise.h"
#include "helvar/orvsysq/SysqTerms.h"

namespace orvsysq {
namespace {

void raiseRegistryFailure(orverr::Status& status, const platform::OsError& error, const char* desc) {
    orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound);
    orverr::addInternalError(raise, orverr::internal_error::kApiWin32, static_cast<uint32_t>(error.code),
                             error.message.c_str());
    orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDesc, desc);
}

}  // namespace

SystemQuery::SystemQuery(const platform::Registry& registry, const platform::KnownFoldersInterface& folders)
    : registry_(registry), folders_(folders) {}

void SystemQuery::readRegistryString(const std::string& subkey, const std::string& valueName,
                                     platform::RegistryView view, std::string& value, orverr::Status& status) const {
    if (status.isError()) return;
    platform::OsError error;
    std::unique_ptr<platform::RegistryKeyInterface> key = registry_.openLocalMachineKey(subkey, view, error);
    if (!key) {
        raiseRegistryFailure(status, error, debug::kOpenKeyFailed);
        return;
    }
    if (!key->queryString(valueName, value, error)) {
        raiseRegistryFailure(status, error, debug::kQueryValueFailed);
    }
}

void SystemQuery::shellFolder(int32_t folderId, std::string& path, orverr::Status& status) const {
    if (status.isError()) return;
    platform::OsError error;
    if (!folders_.shellFolder(folderId, path, error)) {
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound);
        orverr::addInternalError(raise, orverr::internal_error::kApiHresult, error.code, nullptr);
        orverr::addString(orverr::beginObject(raise.topLevel(), debug::kMember), debug::kDesc,
                          debug::kShellFolderFailed);
    }
}

void SystemQuery::temporaryFolder(std::string& path, orverr::Status& status) const {
    if (status.isError()) return;
    path = folders_.temporaryFolder();
}

}  // namespace orvsysq
