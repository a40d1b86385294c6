#pragma once
// The explorer's installation as a plug-in in a benchmark finds it: a registry file in the
// temporary folder names the folder of the explorer's libraries beside the program (../lib).
#include <benchmark/benchmark.h>
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

// The main program of a plug-in benchmark: the debug configuration lands in a scratch folder,
// never in the machine's own, and the explorer's libraries are bound as above.
inline int runPluginBenchmarks(int argc, char** argv, const std::filesystem::path& appData) {
    ::setenv("ORV_COMMON_APPDATA", appData.c_str(), 1);
    const ExplorerRegistry registry;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(appData, ignored);
    return 0;
}
