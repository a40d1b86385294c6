#pragma once
// The explorer's installation as a plug-in in a benchmark finds it: a registry file in the
// temporary folder names the folder of the explorer's libraries beside the program (../lib).
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ExplorerRegistry {
public:
    ExplorerRegistry() {
        namespace fs = std::filesystem;
        const fs::path libraries = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "lib";
        path_ = fs::temp_directory_path() / ("explorer-registry-" + std::to_string(::getpid()) + ".reg");
        std::ofstream file(path_);
        file << "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Orvane\\Sysvista]\n"
             << "\"SelfRegisteredSvsPath\"=\"" << libraries.string() << "/\"\n";
        ::setenv("ORV_REGISTRY_FILE", path_.c_str(), 1);
    }
    ExplorerRegistry(const ExplorerRegistry&) = delete;
    ExplorerRegistry& operator=(const ExplorerRegistry&) = delete;
    ~ExplorerRegistry() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

private:
    std::filesystem::path path_;
};
