// sysvista-host: a stand-in of the Sysvista explorer that loads an expert plug-in and shows
// its devices.
#include <cstdio>
#include <string>

#include "Console.h"
#include "ExplorerSession.h"
#include "HostOptions.h"
#include "HostPlatform.h"
#include "ToolRun.h"
#include "explorer/SvsApi.h"

using namespace sysvistahost;

namespace {

// The registry file format: string values with \\ and \" escaped.
std::string registryString(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return "\"" + escaped + "\"";
}

std::string registryText(const std::string& svsFolder) {
    std::string folder = svsFolder;
    // The plug-in appends the library names directly.
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    return "Windows Registry Editor Version 5.00\n\n"
           "[HKEY_LOCAL_MACHINE\\" SVS_REGISTRY_KEY "]\n"
           "\"SelfRegisteredSvsPath\"=" + registryString(folder) + "\n"
           "\"CurrentSvsVersion\"=\"18.1\"\n";
}

}  // namespace

namespace {

int run(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        printError(error);
        std::fputs(usageText(), stderr);
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return kExitSuccess;
    }
    const std::string libraries = libraryFolder();
    if (options.pluginPath.empty()) options.pluginPath = libraries + kPluginFileName;
    if (options.version) return printVersions(options);
    if (options.trace) setEnvironment("ORV_TRACE", "1");
    if (!options.storageFile.empty()) setEnvironment("ORV_STORAGE_FILE", options.storageFile);
    if (!options.appDataFolder.empty()) setEnvironment("ORV_COMMON_APPDATA", options.appDataFolder);

    std::string temporaryRegistry;
    if (!options.registryFile.empty()) {
        setEnvironment("ORV_REGISTRY_FILE", options.registryFile);
    } else if (!options.svsFolder.empty() || getEnvironment("ORV_REGISTRY_FILE") == nullptr) {
        std::string folder = options.svsFolder.empty() ? libraries : options.svsFolder;
        temporaryRegistry = writeTemporaryFile("sysvista-registry-", registryText(folder));
        if (temporaryRegistry.empty()) {
            printError("cannot write a registry file in the temporary folder");
            return kExitNoTemporaryFile;
        }
        setEnvironment("ORV_REGISTRY_FILE", temporaryRegistry);
    }
    int code = runExplorer(options);
    removeFile(temporaryRegistry);
    return code;
}

}  // namespace

int main(int argc, char** argv) { return orvtool::runTool("sysvista-host", run, argc, argv); }
