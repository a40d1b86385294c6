#pragma once
// Folder listings and the Windows rule that file names match without regard to case. Paths are
// UTF-8; a '\' separator is accepted.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DirectoryEntry {
    std::string name;
    bool regularFile = false;
    int32_t infoError = 0;  // the C errno when the entry's information could not be read
};

// The operating system's folders; each backend defines the operations.
class Directory {
public:
    // The folder's entries (without "." and ".."), sorted by name. False with the C errno when the
    // folder cannot be opened.
    bool list(const std::string& utf8Path, std::vector<DirectoryEntry>& entries, int32_t& error) const;
    // The path of an existing file or folder whose components equal those of utf8Path without
    // regard to ASCII case (an exact component wins, then the first in name order); the path
    // unchanged when nothing matches.
    std::string matchCase(const std::string& utf8Path) const;
};

// The text the C run-time gives for an errno value.
std::string errnoText(int32_t error);

const Directory& directory();

}  // namespace platform
