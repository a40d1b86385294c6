// The registry of this platform: the registry file's format, both views, and the known folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "common/platform/KnownFolders.h"
#include "common/platform/Registry.h"
#include "common/platform/posix/RegistryFile.h"
#include "platform/Backend.h"
#include "support/FakeEnvironment.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

const char* const kRegistryText =
    "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; shared folders\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Common\\Installer]\r\n"
    "\"ORVSHAREDDIR64\"=\"/opt/orvane/shared64\"\r\n"
    "\"Quoted\"=\"say \\\"hi\\\" C:\\\\dir\\\\\"\r\n"
    "\"Number\"=dword:00000010\r\n"
    "\"Binary\"=hex:01,02,\\\r\n"
    "  03,04\r\n"
    "\"AfterBinary\"=\"ok\"\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\Common\\Installer]\r\n"
    "\"ORVSHAREDDIR\"=\"/opt/orvane/shared32\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Common\\Installer]\r\n"
    "\"Elsewhere\"=\"no\"\r\n"
    "\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\r\n"
    "\"Deleted\"=\"no\"\r\n";

TEST(RegistryFile, ParsesStringValuesOfLocalMachineKeys) {
    const posix::RegistryFile file = posix::RegistryFile::parse(kRegistryText);
    const std::string key = "SOFTWARE\\Orvane\\Common\\Installer";
    ASSERT_NE(file.value(key, "ORVSHAREDDIR64"), nullptr);
    EXPECT_EQ(*file.value(key, "ORVSHAREDDIR64"), "/opt/orvane/shared64");
    EXPECT_EQ(*file.value(key, "quoted"), "say \"hi\" C:\\dir\\");
    EXPECT_EQ(*file.value(key, "AfterBinary"), "ok");
    EXPECT_EQ(*file.value(key, ""), "default");
    EXPECT_EQ(file.value(key, "Number"), nullptr);
    EXPECT_EQ(file.value(key, "Binary"), nullptr);
    EXPECT_EQ(file.value(key, "Elsewhere"), nullptr);
    EXPECT_EQ(file.value("SOFTWARE\\Gone", "Deleted"), nullptr);
    // Names compare without regard to ASCII case; parents of a key exist.
    EXPECT_EQ(*file.value("software\\orvane\\COMMON\\installer\\", "orvshareddir64"), "/opt/orvane/shared64");
    EXPECT_TRUE(file.hasKey("SOFTWARE\\Orvane"));
    EXPECT_TRUE(file.hasKey("software"));
    EXPECT_FALSE(file.hasKey("SOFTWARE\\Gone"));
    EXPECT_FALSE(file.hasKey("SOFTWARE\\Orvane\\Common\\Installer\\Sub"));
}

TEST(RegistryFile, ReadsUtf16ExportsOfRegistryEditor) {
    const std::string utf8 =
        "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane]\r\n"
        "\"Dir\"=\"C:\\\\Geteilt \xC3\xA4 \xF0\x9F\x98\x80\"\r\n";
    // UTF-16LE with its byte-order mark, as Registry Editor saves it.
    std::string utf16 = "\xFF\xFE";
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        uint32_t c = lead;
        size_t length = 1;
        if (lead >= 0xF0) { c = lead & 0x07; length = 4; }
        else if (lead >= 0xE0) { c = lead & 0x0F; length = 3; }
        else if (lead >= 0xC0) { c = lead & 0x1F; length = 2; }
        for (size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        auto put = [&](uint32_t unit) {
            utf16 += static_cast<char>(unit & 0xFF);
            utf16 += static_cast<char>(unit >> 8);
        };
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    const posix::RegistryFile file = posix::RegistryFile::parse(utf16);
    ASSERT_NE(file.value("SOFTWARE\\Orvane", "Dir"), nullptr);
    EXPECT_EQ(*file.value("SOFTWARE\\Orvane", "Dir"), "C:\\Geteilt \xC3\xA4 \xF0\x9F\x98\x80");
}

TEST(RegistryFile, MapsThe32BitViewUnderWow6432Node) {
    EXPECT_EQ(posix::registry32Path("SOFTWARE\\Orvane\\X"), "SOFTWARE\\WOW6432NODE\\ORVANE\\X");
    EXPECT_EQ(posix::registry32Path("Software\\Wow6432Node\\X"), "SOFTWARE\\WOW6432NODE\\X");
    EXPECT_EQ(posix::registry32Path("SYSTEM\\X"), "SYSTEM\\X");
}

class RegistryOnFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        file_ = fs::temp_directory_path() / ("helvar-registry-" + std::to_string(random()) + ".reg");
        std::ofstream(file_, std::ios::binary) << kRegistryText << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Long]\n\"Value\"=\""
                                               << std::string(3000, 'L') << "\"\n";
        environment_.values["ORV_REGISTRY_FILE"] = file_.string();
        registry_ = std::make_unique<Registry>(environment_);
    }
    void TearDown() override { fs::remove(file_); }

    bool read(const std::string& key, const std::string& name, RegistryView view, std::string& value,
              OsError& error) {
        auto opened = registry_->openLocalMachineKey(key, view, error);
        return opened && opened->queryString(name, value, error);
    }

    fs::path file_;
    testing_support::FakeEnvironment environment_;
    std::unique_ptr<Registry> registry_;
};

TEST_F(RegistryOnFile, ReadsBothViews) {
    std::string value;
    OsError error;
    const std::string key = "SOFTWARE\\Orvane\\Common\\Installer";
    ASSERT_TRUE(read(key, "ORVSHAREDDIR64", RegistryView::Native, value, error));
    EXPECT_EQ(value, "/opt/orvane/shared64");
    ASSERT_TRUE(read(key, "ORVSHAREDDIR", RegistryView::Registry32, value, error));
    EXPECT_EQ(value, "/opt/orvane/shared32");
    EXPECT_FALSE(read(key, "ORVSHAREDDIR", RegistryView::Native, value, error));
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.message, "The system cannot find the file specified.");
}

TEST_F(RegistryOnFile, ReadsLongValuesCompletely) {
    std::string value;
    OsError error;
    ASSERT_TRUE(read("SOFTWARE\\Long", "Value", RegistryView::Native, value, error));
    EXPECT_EQ(value, std::string(3000, 'L'));
}

TEST_F(RegistryOnFile, MissingKeysAndAMissingFile) {
    OsError error;
    EXPECT_EQ(registry_->openLocalMachineKey("SOFTWARE\\Nothing", RegistryView::Native, error), nullptr);
    EXPECT_EQ(error.code, 2);
    // The 32-bit view does not see native keys.
    EXPECT_EQ(registry_->openLocalMachineKey("SOFTWARE\\Long", RegistryView::Registry32, error), nullptr);

    environment_.values["ORV_REGISTRY_FILE"] = (file_.parent_path() / "no-such-dir" / "none.reg").string();
    error = OsError{};
    EXPECT_EQ(registry_->openLocalMachineKey("SOFTWARE", RegistryView::Native, error), nullptr);
    EXPECT_EQ(error.code, 2);
}

TEST(KnownFolders, ComeFromTheEnvironmentWithDefaults) {
    testing_support::FakeEnvironment environment;
    auto folders = makeKnownFolders(environment);
    std::string path;
    OsError error;
    EXPECT_FALSE(folders->shellFolder(26, path, error));
    EXPECT_EQ(error.code, kInvalidArgumentResult);

    environment.values["ORV_COMMON_APPDATA"] = "/srv/common";
    environment.values["ORV_SYSTEM_DIR"] = "/srv/lib";
    environment.values["TMPDIR"] = "/scratch/";
    EXPECT_TRUE(folders->shellFolder(folder::kCommonAppData, path, error));
    EXPECT_EQ(path, "/srv/common");
    EXPECT_TRUE(folders->shellFolder(folder::kSystem, path, error));
    EXPECT_EQ(path, "/srv/lib");
    EXPECT_EQ(folders->temporaryFolder(), "/scratch/");
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

std::string section(const std::string& key) { return "[HKEY_LOCAL_MACHINE\\" + key + "]\n\"V\"=\"x\"\n"; }

std::string path(size_t depth, const std::string& component) {
    std::string key = "SOFTWARE";
    for (size_t i = 1; i < depth; ++i) key += "\\" + component;
    return key;
}

// Keys and values beyond what the registry allows are ignored like malformed lines, and a deep
// key keeps its parents visible without storing each of them.
TEST(RegistryFile, KeysAndValuesWithinTheRegistrysLimits) {
    struct Case {
        const char* what;
        std::string key;
        std::string valueLine;
        bool keyKept;
        bool valueKept;
    };
    const std::string deepest = path(512, "K");
    const Case cases[] = {
        {"512 levels", deepest, "\"V\"=\"x\"", true, true},
        {"513 levels", path(513, "K"), "\"V\"=\"x\"", false, false},
        {"255 characters", "SOFTWARE\\" + std::string(255, 'N'), "\"V\"=\"x\"", true, true},
        {"255 characters, not bytes", "", "\"V\"=\"x\"", true, true},
        {"256 characters", "SOFTWARE\\" + std::string(256, 'N'), "\"V\"=\"x\"", false, false},
        {"value name of 16384", "SOFTWARE\\A", "\"" + std::string(16384, 'v') + "\"=\"x\"", true, false},
        {"data of 1 MiB and one byte", "SOFTWARE\\A", "\"V\"=\"" + std::string((1 << 20) + 1, 'd') + "\"", true, false},
        {"data of 1 MiB", "SOFTWARE\\A", "\"V\"=\"" + std::string(1 << 20, 'd') + "\"", true, true},
    };
    for (const Case& c : cases) {
        std::string key = c.key;
        if (c.what == std::string("255 characters, not bytes")) {
            key = "SOFTWARE\\";
            for (int i = 0; i < 255; ++i) key += "\xC3\xA9";
        }
        const auto file = posix::RegistryFile::parse("[HKEY_LOCAL_MACHINE\\" + key + "]\n" + c.valueLine + "\n");
        EXPECT_EQ(c.keyKept, file.hasKey(key)) << c.what;
        EXPECT_EQ(c.keyKept, file.hasKey("SOFTWARE")) << c.what;
        const std::string name = c.valueLine.substr(1, c.valueLine.find('"', 1) - 1);
        EXPECT_EQ(c.valueKept, file.value(key, name) != nullptr) << c.what;
    }
    // Every parent of the deepest key, and nothing beside them.
    const auto file = posix::RegistryFile::parse(section(deepest) + section("SOFTWARE\\K!") + section("SOFTWARE\\K0"));
    for (size_t depth = 1; depth <= 512; ++depth) EXPECT_TRUE(file.hasKey(path(depth, "k"))) << depth;
    EXPECT_FALSE(file.hasKey("SOFTWARE\\K\\K\\J"));
    EXPECT_FALSE(file.hasKey("SOFTWARE\\K!\\K"));
    EXPECT_FALSE(file.hasKey("SOFT"));
}

TEST(RegistryFile, FoldersAndPipesAreRefusedWithoutBlocking) {
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / ("helvar-registry-" + std::to_string(random()));
    fs::create_directories(folder);
    std::vector<fs::path> paths{folder};
    // Windows has no named pipes in the file system's folders; the folder case stands for both.
    const fs::path pipe = folder / "registry.reg";
    if (platformtest::makeNamedPipe(pipe.string())) paths.push_back(pipe);
    testing_support::FakeEnvironment environment;
    for (const fs::path& path : paths) {
        environment.values["ORV_REGISTRY_FILE"] = path.string();
        OsError error;
        EXPECT_EQ(Registry(environment).openLocalMachineKey("SOFTWARE", RegistryView::Native, error), nullptr);
        EXPECT_EQ(error.code, 5) << path;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace platform
