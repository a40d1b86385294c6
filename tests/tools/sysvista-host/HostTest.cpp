// The explorer host program, run as a separate process.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/Portable.h"

namespace {

struct HostRun {
    int exitCode = -1;
    std::string output;
};

using testsupport::kNullDevice;
using testsupport::shellQuoted;

// Runs the host with arguments; keeps stdout, or stderr when errors is set.
HostRun runHost(const std::string& arguments, bool errors = false) {
    const char* host = std::getenv("SYSVISTA_HOST");
    // The shell of the system reads the program's path in the system's own form.
    const std::string program = std::filesystem::path(host ? host : "sysvista-host").make_preferred().string();
    std::string command = "\"" + program + "\" " + arguments +
                          (errors ? std::string(" 2>&1 1>") + kNullDevice : std::string(" 2>") + kNullDevice);
    HostRun run;
    run.output = testsupport::runCommand(command, run.exitCode);
    return run;
}

std::string pluginPath() {
    const char* out = std::getenv("ORV_OUT");
    return testsupport::libraryFolder(out ? out : ".") + "/" + testsupport::libraryFile("Quorrel");
}

bool pluginBuilt() { return std::filesystem::exists(pluginPath()); }

// A common application data folder as an installation leaves it: the shared folder exists.
class TemporaryFolder {
public:
    TemporaryFolder() {
        path = testsupport::makeTemporaryFolder("sysvista-host-test-");
        std::error_code error;
        if (!path.empty() && !std::filesystem::create_directories(path + "/Orvane/Shared/Quorrel", error)) path.clear();
    }
    ~TemporaryFolder() {
        std::error_code error;
        if (!path.empty() && std::filesystem::remove_all(path, error) == static_cast<std::uintmax_t>(-1))
            ADD_FAILURE() << "cannot remove " << path;
    }
    std::string path;
};

TEST(Host, HelpAndUsageErrors) {
    HostRun help = runHost("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("usage: sysvista-host"), std::string::npos);

    HostRun unknown = runHost("--frobnicate", true);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("unknown option --frobnicate"), std::string::npos);

    EXPECT_EQ(runHost("--set Digiscan1=1").exitCode, 2);
    EXPECT_EQ(runHost("--desired 18.1").exitCode, 2);
    EXPECT_EQ(runHost("--watch soon").exitCode, 2);
    EXPECT_EQ(runHost("--wait-notifications -1").exitCode, 2);
    EXPECT_EQ(runHost("--edit-config 1").exitCode, 2);
}

TEST(Host, MissingPluginIsReported) {
    HostRun run = runHost("--plugin /nonexistent/libQuorrel.so", true);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.output.find("cannot load /nonexistent/libQuorrel.so"), std::string::npos);
}

TEST(Host, VersionsOfTheHostAndThePlugin) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    HostRun run = runHost("--plugin " + pluginPath() + " --version");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("sysvista-host 4."), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("plug-in 18.1.0f0 (oldest compatible 18.1.0f0)"), std::string::npos) << run.output;

    HostRun missing = runHost("-p /nonexistent/libQuorrel.so -V", true);
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.output.find("cannot read the plug-in's version from /nonexistent/libQuorrel.so"), std::string::npos)
        << missing.output;
}

TEST(Host, ShortOptionsAsTheLongOnes) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    HostRun run = runHost("-p " + pluginPath() + " -a " + appData.path + " -s Digiscan1:ServerIsOutOfProcess=true");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("refreshed: 0x00000000 (S_OK), ServerIsOutOfProcess = true"), std::string::npos)
        << run.output;
    EXPECT_EQ(runHost("-p " + pluginPath() + " unexpected").exitCode, 2);
}

TEST(Host, ListsDevicesAndCommitsADebugSetting) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    ASSERT_FALSE(appData.path.empty());
    HostRun run = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                      " --set 1:debugSessionConfiguration=0 --set Digiscan1:ServerIsOutOfProcess=true");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("5 device(s)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"Digiscan SFP Debug\" version 18.1 component Quorrel"), std::string::npos);
    EXPECT_NE(run.output.find("commit: 0x00000000 (S_OK)"), std::string::npos);
    EXPECT_NE(run.output.find("refreshed: 0x00000000 (S_OK), ServerIsOutOfProcess = true"), std::string::npos);

    std::ifstream config(appData.path + "/Orvane/Shared/Quorrel/Quorrel.config");
    ASSERT_TRUE(config.good());
    std::stringstream text;
    text << config.rdbuf();
    EXPECT_NE(text.str().find("{D1A50001-0C2E-4B7A-8E11-5A0000000001}"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("true"), std::string::npos) << text.str();
}

TEST(Host, RefusedEditAndVersionMismatch) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    HostRun refused = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                          " --set 1:debugSessionConfiguration=2");
    EXPECT_EQ(refused.exitCode, 1) << refused.output;
    EXPECT_NE(refused.output.find("validate: 0x8004037F (SVSYS_E_VALIDATION_VALUE)"), std::string::npos)
        << refused.output;

    HostRun tooNew = runHost("--plugin " + pluginPath() + " --appdata " + appData.path + " --desired 19.0,19.1", true);
    EXPECT_EQ(tooNew.exitCode, 1);
    EXPECT_NE(tooNew.output.find("version check failed with status -50252"), std::string::npos) << tooNew.output;
}

TEST(Host, StorageChangesReachTheSink) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    HostRun run = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                          " --remove-device {D1A50002-0C2E-4B7A-8E11-5A0000000002}"
                          " --add-device " +
                          shellQuoted("{\"id\": \"{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}\","
                                         " \"class\": \"{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}\","
                                         " \"properties\": {\"9553\": \"Added\", \"1585\": \"HSDR-5162\", \"8998\": 12582}}") +
                          " --wait-notifications 2");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("notification added {D1A500FF-0C2E-4B7A-8E11-5A00000000FF}"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("notification removed {D1A50002-0C2E-4B7A-8E11-5A0000000002}"), std::string::npos)
        << run.output;
}

TEST(Host, AStorageChangeAndAHandEditReachTheSink) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    HostRun run = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                          " --change-device " +
                          shellQuoted("{\"id\": \"{D1A50001-0C2E-4B7A-8E11-5A0000000001}\","
                                         " \"class\": \"{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}\","
                                         " \"properties\": {\"9553\": \"Renamed\", \"1585\": \"HSDR-5162\", \"8998\": 12582}}") +
                          " --edit-config Digiscan3:ServerIsOutOfProcess=true --wait-notifications 2");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("] storage: device changed"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("] Quorrel.config edited by hand: {D1A50003-0C2E-4B7A-8E11-5A0000000003}"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("] notification changed {D1A50001-0C2E-4B7A-8E11-5A0000000001}\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("] notification changed {D1A50003-0C2E-4B7A-8E11-5A0000000003}\n"), std::string::npos)
        << run.output;

    HostRun missing = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                              " --edit-config 1:noSuchMember=1", true);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("no member \"noSuchMember\""), std::string::npos) << missing.output;
}

TEST(Host, RefusedStorageChange) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    HostRun run = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                          " --remove-device {D1A500EE-0C2E-4B7A-8E11-5A00000000EE}", true);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("the storage refused to remove {D1A500EE-0C2E-4B7A-8E11-5A00000000EE}"),
              std::string::npos)
        << run.output;
}

}  // namespace

namespace {

// A failing call shows the plug-in's own text beside its HRESULT: here a stored value that does
// not fit a signed 32-bit number.
TEST(Host, ACommitToANewerFileIsRefusedWithThePluginsText) {
    if (!pluginBuilt()) GTEST_SKIP() << "the plug-in is not built: " << pluginPath();
    TemporaryFolder appData;
    const std::string file = appData.path + "/Orvane/Shared/Quorrel/Quorrel.config";
    const std::string newer = R"({"version": 2, "devices": {}, "added in version 2": true})";
    {
        std::ofstream settings(file);
        settings << newer;
    }
    HostRun run = runHost("--plugin " + pluginPath() + " --appdata " + appData.path +
                          " --set 1:ServerIsOutOfProcess=true");
    EXPECT_NE(run.exitCode, 0);
    // Listed with the defaults, the commit refused with the reason, the file left as it was.
    EXPECT_NE(run.output.find("{D1A50001-0C2E-4B7A-8E11-5A0000000001}"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("0x80004005 (E_FAIL): "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("kErrorFileTooNewForSoftware"), std::string::npos) << run.output;
    std::ifstream kept(file);
    std::stringstream text;
    text << kept.rdbuf();
    EXPECT_EQ(newer, text.str());
}

}  // namespace
