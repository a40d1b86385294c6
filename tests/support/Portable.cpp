// The test support both systems share; the rest is in posix/ and win32/.
#include "support/Portable.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/platform/DynamicLibrary.h"

namespace testsupport {

std::string libraryFile(const std::string& base) { return platform::nativeLibraryName(base + ".dll"); }

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(std::filesystem::u8path(path_), ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc) << text;
}

}  // namespace testsupport
