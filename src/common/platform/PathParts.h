#pragma once
// Parts of a native path, the same on every backend ('/' and '\' both end a folder name).
#include <string>

namespace platform {

// The folder of a path: "." when it names none, the root itself for a file in the root.
std::string folderOf(const std::string& path);
// The last name of a path.
std::string nameOf(const std::string& path);
// A fresh name for a temporary file beside target: hidden, of this process, counted up on each
// call, so that a rename over target stays within one file system.
std::string temporarySiblingOf(const std::string& target, char separator);

}  // namespace platform
