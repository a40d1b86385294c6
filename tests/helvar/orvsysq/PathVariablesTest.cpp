// Path variables and their expansion over the registry file and the known folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "helvar/orvsysq/PathVariables.h"
#include "support/FakeEnvironment.h"
#include "support/StatusDocument.h"

namespace orvsysq {
namespace {

namespace fs = std::filesystem;
using testing_units::parseDocument;

const char* const kRegistry =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Common\\Installer]\n"
    "\"ORVSHAREDDIR64\"=\"/opt/orvane/shared64\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\Common\\Installer]\n"
    "\"ORVSHAREDDIR\"=\"/opt/orvane/shared32\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\ORV-Xlator\\plugins\\mxlator_Digiscan]\n"
    "\"errorsDir\"=\"$_orvShared32Dir\\\\Errors\"\n"
    "\"loop\"=\"$loop\\\\x\"\n";

class PathVariablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        file_ = fs::temp_directory_path() / ("helvar-paths-" + std::to_string(random()) + ".reg");
        std::ofstream(file_, std::ios::binary) << kRegistry;
        environment_.values["ORV_REGISTRY_FILE"] = file_.string();
        environment_.values["ORV_COMMON_APPDATA"] = "/srv/common";
        environment_.values["TMPDIR"] = "/scratch/";  // the separator the backend would add differs
    }
    void TearDown() override { fs::remove(file_); }

    std::string expand(std::string path, orverr::Status& status) {
        variables_.expandPath("mxlator_Digiscan", path, status);
        return path;
    }

    std::string expand(std::string path) {
        orverr::Status status;
        std::string expanded = expand(std::move(path), status);
        EXPECT_EQ(status.code, 0) << status.text();
        return expanded;
    }

    fs::path file_;
    testing_support::FakeEnvironment environment_;
    std::unique_ptr<platform::Registry> registry_ = std::make_unique<platform::Registry>(environment_);
    std::unique_ptr<platform::KnownFoldersInterface> folders_ = platform::makeKnownFolders(environment_);
    SystemQuery system_{*registry_, *folders_};
    PathVariables variables_{system_};
};

TEST_F(PathVariablesTest, ExpandsTheStandardVariables) {
    EXPECT_EQ(expand("$_orvShared32Dir/Errors"), "/opt/orvane/shared32\\Errors");
    EXPECT_EQ(expand("$_orvSharedDir\\x.dll"), "/opt/orvane/shared64\\x.dll");
    EXPECT_EQ(expand("$_commonAppDataDir\\Quorrel.config"), "/srv/common\\Orvane\\Quorrel.config");
    EXPECT_EQ(expand("$_tempDir\\t"), "/scratch/\\t");
    EXPECT_EQ(expand("plain/path"), "plain\\path");
}

TEST_F(PathVariablesTest, ExpandsTranslatorVariablesAndTheirVariables) {
    EXPECT_EQ(expand("$errorsDir\\eng\\a.xml"), "/opt/orvane/shared32\\Errors\\eng\\a.xml");
    std::string value;
    orverr::Status status;
    variables_.lookupVariable("mxlator_Digiscan", "errorsDir", value, status);
    EXPECT_EQ(value, "$_orvShared32Dir\\Errors");
}

TEST_F(PathVariablesTest, ADollarWithoutBackslashIsAnInvalidPath) {
    orverr::Status status;
    EXPECT_EQ(expand("a\\$_tempDir", status), "a\\");
    EXPECT_EQ(status.code, -52005);
    auto document = parseDocument(status.text());
    EXPECT_EQ(testing_units::errorConstant(document), "orvapalerr_invalidParameter");
    EXPECT_EQ(std::string(document["orvxlator_debug"]["orvxlatordll"].GetString()), "plugin dll path invalid");
    EXPECT_EQ(std::string(document["orvxlator_debug"]["dllPath"].GetString()), "a\\$_tempDir");
}

TEST_F(PathVariablesTest, AnUnknownVariableIsRemovedAndReported) {
    orverr::Status status;
    EXPECT_EQ(expand("$nothing\\x\\$_tempDir\\y", status), "\\x\\\\y");
    EXPECT_EQ(status.code, -52006);
    auto document = parseDocument(status.text());
    EXPECT_EQ(testing_units::errorConstant(document), "orvapalerr_resourceNotFound");
    EXPECT_EQ(std::string(document["internal_error"]["api"].GetString()), "win32");
    EXPECT_EQ(document["internal_error"]["code"].GetUint(), 2u);
    EXPECT_EQ(std::string(document["internal_error"]["string"].GetString()), "The system cannot find the file specified.");
    EXPECT_EQ(std::string(document["orvsysq_debug"]["desc"].GetString()), "RegQueryValue failed");

    orverr::Status missingKey;
    std::string value;
    variables_.lookupVariable("otherTranslator", "x", value, missingKey);
    EXPECT_EQ(std::string(parseDocument(missingKey.text())["orvsysq_debug"]["desc"].GetString()), "RegOpenKeyEx failed");
}

TEST_F(PathVariablesTest, AVariableThatNamesItselfStops) {
    orverr::Status status;
    expand("$loop\\y", status);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(std::string(parseDocument(status.text())["orvxlator_debug"]["orvxlatordll"].GetString()),
              "path variables nest too deeply");
}

TEST_F(PathVariablesTest, AnEarlierErrorStopsAllWork) {
    orverr::Status status;
    orverr::setCode(status, -1);
    EXPECT_EQ(expand("$_tempDir/x", status), "$_tempDir/x");
    std::string value = "kept";
    variables_.lookupVariable("mxlator_Digiscan", "_tempDir", value, status);
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(status.code, -1);
}

// Folders that cannot be told, and registry data with terminators.
class FailingFolders : public platform::KnownFoldersInterface {
public:
    bool shellFolder(int32_t, std::string&, platform::OsError& error) const override {
        error.code = static_cast<int32_t>(0x80004005u);
        return false;
    }
    std::string temporaryFolder() const override { return "/t/"; }
};

class TerminatedValues : public SystemQueryInterface {
public:
    void readRegistryString(const std::string&, const std::string&, platform::RegistryView, std::string& value,
                            orverr::Status&) const override {
        value = std::string("/dir\0\0", 6);
    }
    void shellFolder(int32_t, std::string&, orverr::Status&) const override {}
    void temporaryFolder(std::string&, orverr::Status&) const override {}
};

TEST_F(PathVariablesTest, AShellFolderFailureCarriesItsResult) {
    FailingFolders folders;
    SystemQuery system(*registry_, folders);
    PathVariables variables(system);
    std::string path = "$_commonAppDataDir\\f";
    orverr::Status status;
    variables.expandPath("t", path, status);
    EXPECT_EQ(path, "\\f");
    auto document = parseDocument(status.text());
    EXPECT_EQ(status.code, -52006);
    EXPECT_EQ(std::string(document["internal_error"]["api"].GetString()), "hresult");
    EXPECT_EQ(document["internal_error"]["code"].GetInt(), static_cast<int32_t>(0x80004005u));
    EXPECT_EQ(std::string(document["orvsysq_debug"]["desc"].GetString()), "SHGetFolderPathW failed");
}

TEST(PathVariables, DropsTrailingTerminatorsOfTranslatorValues) {
    TerminatedValues system;
    PathVariables variables(system);
    std::string value;
    orverr::Status status;
    variables.lookupVariable("t", "dir", value, status);
    EXPECT_EQ(value, "/dir");
}

}  // namespace
}  // namespace orvsysq
