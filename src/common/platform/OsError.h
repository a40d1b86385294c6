#pragma once
// What a failed system call reports: the error number, its message, whether the file is missing.
#include <cstdint>
#include <string>

namespace platform {

// Details of a failed system call: the system's error number and its message text.
struct OsError {
    int32_t code = 0;
    std::string message;
    // The file or folder named by the call does not exist.
    bool missing = false;
};

}  // namespace platform
