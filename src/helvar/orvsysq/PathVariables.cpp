#include "helvar/orvsysq/PathVariables.h"

#include <algorithm>

#include "common/orverr/Raise.h"
#include "helvar/orvsysq/SysqTerms.h"

namespace orvsysq {
namespace {

void raiseInvalidPath(orverr::Status& status, const char* reason, const std::string& path) {
    orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter);
    orverr::JsonCursor cursor = orverr::beginObject(raise.topLevel(), debug::kXlatorMember);
    cursor = orverr::addString(cursor, debug::kXlatorDll, reason);
    orverr::addString(cursor, debug::kDllPath, path.c_str());
}

}  // namespace

PathVariables::PathVariables(const SystemQueryInterface& system) : system_(system) {}

void PathVariables::lookupVariable(const std::string& translator, const std::string& name, std::string& value,
                                   orverr::Status& status) const {
    if (status.isError()) return;
    value.clear();
    if (name == variable::kShared32Dir) {
        system_.readRegistryString(registry::kInstallerKey, registry::kShared32DirValue,
                                   platform::RegistryView::Registry32, value, status);
    } else if (name == variable::kSharedDir) {
        system_.readRegistryString(registry::kInstallerKey, registry::kSharedDirValue, platform::RegistryView::Native,
                                   value, status);
    } else if (name == variable::kCommonAppDataDir) {
        system_.shellFolder(platform::folder::kCommonAppData, value, status);
        if (!status.isError()) value += kCommonAppDataSuffix;
    } else if (name == variable::kTempDir) {
        system_.temporaryFolder(value, status);
    } else {
        system_.readRegistryString(registry::kPluginsKeyPrefix + translator, name, platform::RegistryView::Registry32,
                                   value, status);
        // Registry strings may carry their terminators.
        while (!value.empty() && value.back() == '\0') value.pop_back();
    }
    if (status.isError()) value.clear();
}

void PathVariables::expandPath(const std::string& translator, std::string& path, orverr::Status& status) const {
    if (status.isError()) return;
    std::replace(path.begin(), path.end(), '/', '\\');
    int expansions = 0;
    for (size_t dollar = path.find('$'); dollar != std::string::npos; dollar = path.find('$')) {
        const size_t end = path.find('\\', dollar + 1);
        if (end == std::string::npos) {
            raiseInvalidPath(status, debug::kPathInvalid, path);
            path.erase(dollar);
            return;
        }
        // A value that names itself would otherwise expand for ever.
        if (++expansions > kMaxExpansions) {
            raiseInvalidPath(status, debug::kTooManyExpansions, path);
            path.erase(dollar);
            return;
        }
        std::string value;
        lookupVariable(translator, path.substr(dollar + 1, end - dollar - 1), value, status);
        path.replace(dollar, end - dollar, value);
    }
}

const PathVariablesInterface& pathVariables() {
    static const SystemQuery system(platform::registry(), platform::knownFolders());
    static const PathVariables instance(system);
    return instance;
}

}  // namespace orvsysq
