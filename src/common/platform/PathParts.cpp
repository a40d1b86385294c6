#include "common/platform/PathParts.h"

#include <atomic>

#include "common/platform/ProcessId.h"

namespace platform {

std::string folderOf(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string temporarySiblingOf(const std::string& target, char separator) {
    static std::atomic<unsigned> number{0};
    return folderOf(target) + separator + "." + nameOf(target) + ".tmp" + std::to_string(currentProcessId()) + "-" +
           std::to_string(++number);
}

}  // namespace platform
