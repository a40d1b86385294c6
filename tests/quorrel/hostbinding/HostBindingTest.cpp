#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "common/platform/Environment.h"
#include "explorer/SimSvs.h"
#include "quorrel/hostbinding/SvsLibraryBinding.h"
#include "support/FakeEnvironment.h"
#include "support/Portable.h"

namespace {

namespace fs = std::filesystem;

using FixedEnvironment = testing_support::FakeEnvironment;

// Passes loads to the process's loader, counting them.
class CountingLoader : public platform::DynamicLibraryInterface {
public:
    platform::LibraryHandle load(const std::string& name, platform::OsError& error) override {
        loaded.push_back(name);
        return platform::dynamicLibrary().load(name, error);
    }
    platform::LibraryHandle findLoaded(const std::string& name) override {
        return platform::dynamicLibrary().findLoaded(name);
    }
    void* symbol(platform::LibraryHandle library, const char* name, platform::OsError& error) override {
        return platform::dynamicLibrary().symbol(library, name, error);
    }
    void unload(platform::LibraryHandle) override {}
    std::vector<std::string> loaded;
};

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

class HostBinding : public ::testing::Test {
protected:
    void SetUp() override {
        const char* out = std::getenv("ORV_OUT");
        ASSERT_NE(nullptr, out);
        libraryFolder = testsupport::libraryFolder(out) + "/";
        registryFile = fs::temp_directory_path() /
                       ("quorrel-registry-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".reg");
        environment.values["ORV_REGISTRY_FILE"] = registryFile.string();
    }
    void TearDown() override { fs::remove(registryFile); }

    void writeRegistry(const std::string& nativeValues, const std::string& wowValues) {
        std::ofstream file(registryFile);
        file << "Windows Registry Editor Version 5.00\n\n"
             << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Sysvista]\n"
             << nativeValues << "\n"
             << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\Sysvista]\n"
             << wowValues << "\n";
    }

    std::string value(const char* name, const std::string& text) {
        return "\"" + std::string(name) + "\"=\"" + escaped(text) + "\"\n";
    }

    std::string libraryFolder;
    fs::path registryFile;
    FixedEnvironment environment;
    CountingLoader loader;
};

}  // namespace

TEST_F(HostBinding, LoadsFromTheSelfRegisteredFolder) {
    writeRegistry(value("SelfRegisteredSvsPath", libraryFolder) + value("CurrentSvsVersion", "18.0"), "");
    auto registry = std::make_unique<platform::Registry>(environment);
    hostbinding::SvsLibraryBinding binding(*registry, loader);
    HRESULT hr = E_UNEXPECTED;
    IsvsConfiguration* configuration = binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr);
    ASSERT_EQ(S_OK, hr);
    ASSERT_NE(nullptr, configuration);
    EXPECT_EQ(1u, SimSvs_getConfigurationCount());
    configuration->Release();
    EXPECT_EQ(0u, SimSvs_getConfigurationCount());
    EXPECT_EQ((std::vector<std::string>{libraryFolder + "svs.dll", libraryFolder + "svsutils.dll"}), loader.loaded);
    EXPECT_EQ(L"18.0", binding.registryValues().currentSvsVersion.wide);

    // Later calls only count uses.
    binding.bind();
    EXPECT_EQ(2u, binding.useCount());
    EXPECT_EQ(2u, loader.loaded.size());

    SimSvs_setConfigurationFailure(static_cast<HRESULT>(0x80041111u));
    EXPECT_EQ(nullptr, binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr));
    EXPECT_EQ(static_cast<HRESULT>(0x80041111u), hr);
    SimSvs_setConfigurationFailure(0);
}

TEST_F(HostBinding, FallsBackToSelfRegisteredPathInEitherView) {
    for (bool inWow : {false, true}) {
        const std::string path = value("SelfRegisteredPath", libraryFolder);
        writeRegistry(value("CurrentPath", "/nowhere/") + (inWow ? "" : path), inWow ? path : "");
        auto registry = std::make_unique<platform::Registry>(environment);
        CountingLoader counting;
        hostbinding::SvsLibraryBinding binding(*registry, counting);
        HRESULT hr = E_UNEXPECTED;
        IsvsConfiguration* configuration = binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr);
        EXPECT_EQ(S_OK, hr) << inWow;
        ASSERT_NE(nullptr, configuration);
        configuration->Release();
        const hostbinding::SvsRegistryValues values = binding.registryValues();
        EXPECT_EQ(libraryFolder, values.selfRegisteredSvsPath.ansi);
        EXPECT_EQ(L"/nowhere/", values.currentSvsPath.wide);
    }
}

TEST_F(HostBinding, APathWithoutSeparatorFailsAndIsNotRetried) {
    std::string folder = libraryFolder;
    folder.pop_back();
    writeRegistry(value("SelfRegisteredSvsPath", folder), "");
    auto registry = std::make_unique<platform::Registry>(environment);
    hostbinding::SvsLibraryBinding binding(*registry, loader);
    HRESULT hr = S_OK;
    EXPECT_EQ(nullptr, binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr));
    EXPECT_EQ(E_FAIL, hr);
    EXPECT_EQ(2u, loader.loaded.size());
    EXPECT_EQ(nullptr, binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr));
    EXPECT_EQ(E_FAIL, hr);
    EXPECT_EQ(2u, loader.loaded.size());
}

TEST_F(HostBinding, MissingKeyOrFileMeansNoBinding) {
    auto registry = std::make_unique<platform::Registry>(environment);  // the file does not exist
    hostbinding::SvsLibraryBinding binding(*registry, loader);
    HRESULT hr = S_OK;
    EXPECT_EQ(nullptr, binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr));
    EXPECT_EQ(E_FAIL, hr);
    EXPECT_TRUE(loader.loaded.empty());
}

// Whatever does not resolve, the binding says what it looked for: the key, the view and the path.
TEST_F(HostBinding, AFailedBindingNamesTheKeyTheViewAndThePathTried) {
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Orvane\\Sysvista";
    std::string unseparated = libraryFolder;
    unseparated.pop_back();
    struct Case {
        const char* name;
        bool withFile;
        std::string native, wow;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {"no registry", false, "", "", {key, "default view"}},
        {"no folder value", true, value("CurrentSvsVersion", "18.1"), "", {key, "SelfRegisteredSvsPath", "SelfRegisteredPath"}},
        {"folder without separator", true, value("SelfRegisteredSvsPath", unseparated), "",
         {unseparated + "svs.dll", "SelfRegisteredSvsPath", key, "default view"}},
        {"missing folder in the 32-bit view", true, "", value("SelfRegisteredPath", "/nowhere/"),
         {"/nowhere/svs.dll", "SelfRegisteredPath", key, "32-bit view"}},
    };
    for (const Case& c : cases) {
        fs::remove(registryFile);
        if (c.withFile) writeRegistry(c.native, c.wow);
        auto registry = std::make_unique<platform::Registry>(environment);
        hostbinding::SvsLibraryBinding binding(*registry, loader);
        HRESULT hr = S_OK;
        EXPECT_EQ(nullptr, binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr)) << c.name;
        EXPECT_EQ(E_FAIL, hr) << c.name;
        const std::string failure = binding.failure();
        for (const std::string& part : c.named) EXPECT_NE(std::string::npos, failure.find(part)) << c.name << ": " << failure;
    }
    // A binding that works has nothing to say.
    writeRegistry(value("SelfRegisteredSvsPath", libraryFolder), "");
    auto registry = std::make_unique<platform::Registry>(environment);
    hostbinding::SvsLibraryBinding binding(*registry, loader);
    HRESULT hr = E_FAIL;
    IsvsConfiguration* configuration = binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr);
    ASSERT_NE(nullptr, configuration);
    configuration->Release();
    EXPECT_EQ("", binding.failure());
}
