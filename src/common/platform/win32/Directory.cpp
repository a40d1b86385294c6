// Folder listings on Windows. Names already match without regard to case here; matchCase gives
// the names as they are stored, as the Linux side does.
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/platform/Directory.h"
#include "common/platform/File.h"
#include "common/platform/WideText.h"
#include "common/platform/win32/DirectorySyscalls.h"

namespace platform {
namespace win32 {

DirectorySyscalls realDirectorySyscalls() {
    return DirectorySyscalls{&::FindFirstFileW, &::FindNextFileW, &::FindClose, &::GetFileAttributesW,
                             &::GetLastError};
}

DirectorySyscalls& directorySyscalls() {
    static DirectorySyscalls table = realDirectorySyscalls();
    return table;
}

namespace {

const DirectorySyscalls& sys() { return directorySyscalls(); }

// The interface speaks C errno values on both systems.
int32_t errnoNumberOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

// Always false, for `return fail(error, code)`.
bool fail(OsError& error, int32_t code) {
    error = errnoError(code);
    return false;
}

bool exists(const std::string& path) {
    return sys().getFileAttributes(utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDot(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

}  // namespace
}  // namespace win32

using namespace win32;

bool Directory::list(const std::string& utf8Path, std::vector<DirectoryEntry>& entries, OsError& error) const {
    entries.clear();
    std::string folder = nativePath(utf8Path);
    if (folder.empty()) folder = ".";
    const DWORD attributes = sys().getFileAttributes(utf8ToWide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return fail(error, errnoNumberOf(sys().getLastError()));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return fail(error, ENOTDIR);
    const std::string pattern = folder.back() == '\\' ? folder + "*" : folder + "\\*";
    WIN32_FIND_DATAW found{};
    HANDLE search = sys().findFirstFile(utf8ToWide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = sys().getLastError();
        // An empty folder has no entry at all.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return true;
        return fail(error, errnoNumberOf(code));
    }
    do {
        if (isDot(found.cFileName)) continue;
        DirectoryEntry entry;
        entry.name = wideToUtf8(found.cFileName);
        // Devices and pipes do not show up in folders here: what is not a folder is a file.
        entry.regularFile = (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        entries.push_back(std::move(entry));
    } while (sys().findNextFile(search, &found));
    const DWORD code = sys().getLastError();
    sys().findClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        entries.clear();
        return fail(error, errnoNumberOf(code));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return true;
}

std::string Directory::matchCase(const std::string& utf8Path) const {
    const std::string path = nativePath(utf8Path);
    if (path.empty() || !exists(path)) return path;
    // The root ("C:\", "\\server\share\" or "\") stays as written.
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':') start = 2;
    else if (path.compare(0, 2, "\\\\") == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        start = share == std::string::npos ? path.size() : share;
    }
    while (start < path.size() && path[start] == '\\') ++start;
    std::string resolved = path.substr(0, start);
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        if (!resolved.empty() && resolved.back() != '\\' && resolved.back() != ':') resolved += '\\';
        if (component == "." || component == "..") {
            resolved += component;
            continue;
        }
        WIN32_FIND_DATAW found{};
        HANDLE search = sys().findFirstFile(utf8ToWide(resolved + component).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return path;
        sys().findClose(search);
        resolved += wideToUtf8(found.cFileName);
    }
    return resolved;
}

std::string errnoText(int32_t error) {
    char buffer[256] = {0};
    if (::strerror_s(buffer, sizeof buffer, error) != 0) return "Unknown error " + std::to_string(error);
    return buffer;
}

OsError errnoError(int32_t error) { return OsError{error, errnoText(error), error == ENOENT}; }

const Directory& directory() {
    static const Directory instance{};
    return instance;
}

}  // namespace platform
