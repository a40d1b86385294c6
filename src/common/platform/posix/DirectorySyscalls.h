#pragma once
// The system calls behind folder listings, replaceable so that tests can make them fail.
#include <dirent.h>
#include <sys/stat.h>

namespace platform::posix {

struct DirectorySyscalls {
    DIR* (*opendir)(const char* path);
    struct dirent* (*readdir)(DIR* dir);
    int (*closedir)(DIR* dir);
    int (*stat)(const char* path, struct stat* status);
};

DirectorySyscalls& directorySyscalls();
DirectorySyscalls realDirectorySyscalls();

}  // namespace platform::posix
