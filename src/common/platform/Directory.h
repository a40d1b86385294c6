#pragma once
// Folder listings and the Windows rule that file names match without regard to case. Paths are
// UTF-8; a '\' separator is accepted.
#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/OsError.h"

namespace platform {

struct DirectoryEntry {
    std::string name;
    bool regularFile = false;
    OsError infoError;  // code 0, or the C errno when the entry's information could not be read
};

// The operating system's folders; each backend defines the operations.
class Directory {
public:
    // The folder's entries (without "." and ".."), sorted by name. False with error when the folder
    // cannot be opened; a listing's error codes are C errno values on every system.
    bool list(const std::string& utf8Path, std::vector<DirectoryEntry>& entries, OsError& error) const;
    // The path of an existing file or folder whose components equal those of utf8Path without
    // regard to ASCII case (an exact component wins, then the first in name order); the path
    // unchanged when nothing matches.
    std::string matchCase(const std::string& utf8Path) const;
};

// The text the C run-time gives for an errno value.
std::string errnoText(int32_t error);
// The OsError of a C errno value, with that text.
OsError errnoError(int32_t error);

const Directory& directory();

}  // namespace platform
