#include "common/platform/Installation.h"

#include <filesystem>
#include <system_error>

#include "common/platform/ModulePath.h"
#include "common/platform/PathParts.h"

#ifndef ORV_INSTALL_BINDIR
#define ORV_INSTALL_BINDIR "bin"
#endif
#ifndef ORV_INSTALL_LIBDIR
#define ORV_INSTALL_LIBDIR "lib"
#endif

namespace platform {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// The folder without its trailing separators; a root keeps its own.
std::string withoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && isSeparator(folder.back())) folder.pop_back();
    return folder;
}

// The prefix when folder ends with the relative folder tail, compared name by name with either
// separator; "" otherwise.
std::string prefixBefore(const std::string& folder, const std::string& tail) {
    if (tail.empty() || folder.size() <= tail.size()) return std::string();
    const std::string::size_type start = folder.size() - tail.size();
    if (!isSeparator(folder[start - 1])) return std::string();
    for (std::string::size_type i = 0; i < tail.size(); ++i) {
        const char a = folder[start + i];
        const char b = tail[i];
        if (a != b && !(isSeparator(a) && isSeparator(b))) return std::string();
    }
    return start == 1 ? folder.substr(0, 1) : folder.substr(0, start - 1);
}

bool isSystemPrefix(const std::string& prefix) { return prefix == "/" || prefix == "/usr"; }

std::string joined(const std::string& prefix, const std::string& relative) {
    return prefix.back() == '/' || prefix.back() == '\\' ? prefix + relative : prefix + "/" + relative;
}

}  // namespace

const InstallationLayout& installationLayout() {
    static const InstallationLayout layout{ORV_INSTALL_BINDIR, ORV_INSTALL_LIBDIR};
    return layout;
}

std::string installationPrefix(const std::string& modulePath, const InstallationLayout& layout,
                               bool (*folderExists)(const std::string& path)) {
    if (modulePath.empty()) return std::string();
    const std::string folder = withoutTrailingSeparators(folderOf(modulePath));
    std::string prefix = prefixBefore(folder, withoutTrailingSeparators(layout.libraryFolder));
    if (!prefix.empty()) return prefix;
    // A build tree has a program folder too, but not the installation's library folder.
    prefix = prefixBefore(folder, withoutTrailingSeparators(layout.programFolder));
    if (!prefix.empty() && folderExists(installationLibraryFolder(prefix, layout))) return prefix;
    return std::string();
}

std::string installationConfigFolder(const std::string& prefix) {
    return isSystemPrefix(prefix) ? std::string("/etc") : joined(prefix, "etc");
}

std::string installationStateFolder(const std::string& prefix) {
    return isSystemPrefix(prefix) ? std::string("/var") : joined(prefix, "var");
}

std::string installationLibraryFolder(const std::string& prefix, const InstallationLayout& layout) {
    return joined(prefix, layout.libraryFolder);
}

const std::string& ownInstallationPrefix() {
    static const std::string prefix =
        installationPrefix(resolvedModuleFileName(reinterpret_cast<const void*>(&ownInstallationPrefix)),
                           installationLayout(), [](const std::string& path) {
                               std::error_code error;
                               return std::filesystem::is_directory(path, error);
                           });
    return prefix;
}

}  // namespace platform
