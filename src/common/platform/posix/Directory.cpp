#include "common/platform/Directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>

#include "common/platform/File.h"
#include "common/platform/posix/DirectorySyscalls.h"
#include "common/platform/posix/OsErrorPosix.h"

namespace platform {
namespace posix {

DirectorySyscalls realDirectorySyscalls() {
    return DirectorySyscalls{&::opendir, &::readdir, &::closedir, &::stat};
}

DirectorySyscalls& directorySyscalls() {
    static DirectorySyscalls calls = realDirectorySyscalls();
    return calls;
}

namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return directorySyscalls().stat(path.c_str(), &info) == 0;
}

// Entry names of a folder, sorted; false (nothing listed) when it cannot be read.
bool names(const std::string& folder, std::vector<std::string>& result, OsError& error) {
    result.clear();
    const DirectorySyscalls& calls = directorySyscalls();
    DIR* dir = calls.opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return fail(error);
    while (const dirent* entry = calls.readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        result.emplace_back(entry->d_name);
    }
    calls.closedir(dir);
    std::sort(result.begin(), result.end());
    return true;
}

}  // namespace
}  // namespace posix

using namespace posix;

bool Directory::list(const std::string& utf8Path, std::vector<DirectoryEntry>& entries, OsError& error) const {
    entries.clear();
    const std::string folder = matchCase(utf8Path);
    std::vector<std::string> found;
    if (!names(folder, found, error)) return false;
    for (const std::string& name : found) {
        DirectoryEntry entry;
        entry.name = name;
        struct stat info {};
        if (directorySyscalls().stat((folder + "/" + name).c_str(), &info) != 0) {
            fail(entry.infoError);
        } else {
            entry.regularFile = S_ISREG(info.st_mode);
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

std::string Directory::matchCase(const std::string& utf8Path) const {
    const std::string path = nativePath(utf8Path);
    if (path.empty() || exists(path)) return path;
    // Walk the components, replacing each missing one by its first match in name order.
    std::string resolved;
    std::size_t start = 0;
    if (path[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        const std::string base = resolved.empty() ? std::string() : resolved;
        const std::string joined = base.empty() || base.back() == '/' ? base + component : base + "/" + component;
        if (!exists(joined)) {
            OsError error;
            std::vector<std::string> found;
            names(base.empty() ? "." : base, found, error);  // an unreadable folder matches nothing
            std::string match = component;
            for (const std::string& name : found) {
                if (::strcasecmp(name.c_str(), component.c_str()) == 0) {
                    match = name;
                    break;
                }
            }
            resolved = base.empty() || base.back() == '/' ? base + match : base + "/" + match;
        } else {
            resolved = joined;
        }
    }
    return exists(resolved) ? resolved : path;
}

std::string errnoText(int32_t error) {
    char buffer[256] = {0};
    // The GNU variant may return a static text instead of filling the buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

OsError errnoError(int32_t error) { return OsError{error, errnoText(error), error == ENOENT}; }

const Directory& directory() {
    static const Directory instance{};
    return instance;
}

}  // namespace platform
