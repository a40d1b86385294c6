// What only the Windows backend does, through its interfaces and its system-call tables.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/CodePage.h"
#include "common/platform/DynamicLibrary.h"
#include "common/platform/File.h"
#include "common/platform/KnownFolders.h"
#include "common/platform/ModulePath.h"
#include "common/platform/NamedMutex.h"
#include "common/platform/PathParts.h"
#include "common/platform/ProcessId.h"
#include "common/platform/Registry.h"
#include "common/platform/RuntimeModules.h"
#include "common/platform/WideText.h"
#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/FileSyscalls.h"
#include "common/platform/win32/KnownFoldersSyscalls.h"
#include "common/platform/win32/NamedMutexSyscalls.h"
#include "common/platform/win32/RuntimeModulesSyscalls.h"
#include "support/FakeEnvironment.h"
#include "support/Portable.h"

namespace {

TEST(LibraryNames, WindowsNamesStayAsTheyAre) {
    const std::pair<const char*, const char*> cases[] = {
        {"ivi.dll", "ivi.dll"},
        {"C:\\Orvane\\bin\\orvxlator.dll", "C:\\Orvane\\bin\\orvxlator.dll"},
        {"C:/Orvane/bin/svs.dll", "C:\\Orvane\\bin\\svs.dll"},
    };
    for (const auto& [name, native] : cases) EXPECT_EQ(platform::nativeLibraryName(name), native) << name;
}

// The shared test checks the messages; the codes are the system's own.
TEST(DynamicLibrary, FailuresCarryTheSystemsCodesAndLookupsNeverLoad) {
    platform::DynamicLibraryInterface& libraries = platform::dynamicLibrary();
    platform::OsError error;
    EXPECT_EQ(libraries.load("NoSuchLibraryAnywhere.dll", error), nullptr);
    EXPECT_EQ(error.code, ERROR_MOD_NOT_FOUND);
    platform::LibraryHandle kernel = libraries.load("kernel32.dll", error);
    ASSERT_NE(kernel, nullptr) << error.message;
    platform::OsError missing;
    EXPECT_EQ(libraries.symbol(kernel, "no_such_symbol_here", missing), nullptr);
    EXPECT_EQ(missing.code, ERROR_PROC_NOT_FOUND);
    libraries.unload(kernel);
    EXPECT_EQ(libraries.findLoaded("mapi32.dll"), nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"mapi32.dll"), nullptr);
}

TEST(DynamicLibrary, InjectedLoadFailureIsReported) {
    auto& table = platform::win32::dynamicLibrarySyscalls();
    const auto saved = table;
    table.loadLibraryEx = [](LPCWSTR, HANDLE, DWORD) -> HMODULE { return nullptr; };
    table.getLastError = []() -> DWORD { return ERROR_ACCESS_DENIED; };
    platform::OsError error;
    EXPECT_EQ(platform::dynamicLibrary().load("kernel32.dll", error), nullptr);
    table = saved;
    EXPECT_EQ(error.code, ERROR_ACCESS_DENIED);
}

std::vector<std::pair<std::string, DWORD>>& triedLoads() {
    static std::vector<std::pair<std::string, DWORD>> tried;
    return tried;
}

// As a Linux library's run path does, the folder of the loading module is searched after the
// system's own search; a name with a folder is loaded as it stands.
TEST(DynamicLibrary, PlainNameIsSearchedBesideTheLoadingModuleAfterTheSystemSearch) {
    auto& table = platform::win32::dynamicLibrarySyscalls();
    const auto saved = table;
    table.loadLibraryEx = [](LPCWSTR name, HANDLE, DWORD flags) -> HMODULE {
        triedLoads().emplace_back(platform::wideToUtf8(name), flags);
        return nullptr;
    };
    table.getLastError = []() -> DWORD { return ERROR_MOD_NOT_FOUND; };
    const std::string beside = platform::folderOf(platform::moduleFileName(reinterpret_cast<const void*>(&triedLoads)));
    platform::OsError plain;
    platform::OsError named;
    EXPECT_EQ(platform::dynamicLibrary().load("orvabsent.dll", plain), nullptr);
    EXPECT_EQ(platform::dynamicLibrary().load("C:\\nowhere\\orvabsent.dll", named), nullptr);
    table = saved;
    const std::vector<std::pair<std::string, DWORD>> expected = {
        {"orvabsent.dll", 0},
        {beside + "\\orvabsent.dll", static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH)},
        {"C:\\nowhere\\orvabsent.dll", static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH)},
    };
    EXPECT_EQ(triedLoads(), expected);
    EXPECT_EQ(plain.code, ERROR_MOD_NOT_FOUND);
    EXPECT_NE(plain.message.find("orvabsent.dll"), std::string::npos) << plain.message;
}

// Whether another thread could take the kernel mutex right now (without waiting).
bool freeForOtherThreads(const std::string& name) {
    bool free = false;
    std::thread([&] {
        HANDLE mutex = ::CreateMutexW(nullptr, FALSE, platform::utf8ToWide("orv-mutex-" + name).c_str());
        const DWORD result = ::WaitForSingleObject(mutex, 0);
        free = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        if (free) ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
    }).join();
    return free;
}

// Unlike the Linux lock files, the owning thread may lock again; each lock needs its unlock.
TEST(NamedMutex, IsRecursiveForTheOwningThread) {
    platform::OsError error;
    const std::string name = "spine-recursive-" + std::to_string(platform::currentProcessId());
    auto mutex = platform::namedMutexFactory().open(name, error);
    ASSERT_NE(mutex, nullptr);
    ASSERT_TRUE(mutex->lock(error));
    ASSERT_TRUE(mutex->lock(error));
    mutex->unlock();
    EXPECT_FALSE(freeForOtherThreads(name));
    mutex->unlock();
    EXPECT_TRUE(freeForOtherThreads(name));
}

TEST(NamedMutex, AbandonedByItsOwnerCountsAsAcquired) {
    platform::OsError error;
    const std::string name = "spine-abandoned-" + std::to_string(platform::currentProcessId());
    auto mutex = platform::namedMutexFactory().open(name, error);
    ASSERT_NE(mutex, nullptr);
    std::thread([&] {
        HANDLE owned = ::CreateMutexW(nullptr, FALSE, platform::utf8ToWide("orv-mutex-" + name).c_str());
        ASSERT_NE(owned, nullptr);
        EXPECT_EQ(::WaitForSingleObject(owned, 0), WAIT_OBJECT_0);
        ::CloseHandle(owned);  // the thread ends without releasing it
    }).join();
    EXPECT_TRUE(mutex->lock(error));
    mutex->unlock();
    EXPECT_TRUE(freeForOtherThreads(name));
}

TEST(WideText, Utf16WithSurrogatePairsAndTheSameDecodingRules) {
    const std::pair<std::string, std::wstring> cases[] = {
        {"abc", L"abc"},
        {"\xC3\xA9\xE2\x82\xAC", L"\u00E9\u20AC"},
        {"\xF0\x9F\x98\x80", std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}},  // U+1F600
        {"\xC3", L"\uFFFD"},                                                   // cut short
        {"\xED\xA0\x80", L"\uFFFD"},                                           // an encoded surrogate
        {"\xC0\xAF", L"\uFFFD"},                                               // overlong
    };
    for (const auto& [utf8, wide] : cases) EXPECT_EQ(platform::utf8ToWide(utf8), wide) << utf8;
    EXPECT_EQ(platform::wideToUtf8(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}), "\xF0\x9F\x98\x80");
    EXPECT_EQ(platform::wideToUtf8(std::wstring{wchar_t(0xD83D), L'x'}), "\xEF\xBF\xBDx");  // lone high
    EXPECT_EQ(platform::wideToUtf8(std::wstring{wchar_t(0xDE00)}), "\xEF\xBF\xBD");        // lone low
}

TEST(CodePage, ConvertsThroughTheSystemsTablesWithQuestionMarksForMissingCharacters) {
    std::string out;
    ASSERT_TRUE(platform::codePageToUtf8(1252, "caf\xE9 \x80", out));
    EXPECT_EQ(out, "caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(platform::utf8ToCodePage(1252, "\xE2\x82\xAC \xE6\xB8\xAC", out));
    EXPECT_EQ(out, "\x80 ?");  // the euro sign exists in 1252, the CJK character does not
    ASSERT_TRUE(platform::utf8ToCodePage(932, "\xE6\xB8\xAC", out));
    ASSERT_TRUE(platform::codePageToUtf8(932, out, out));
    EXPECT_EQ(out, "\xE6\xB8\xAC");
    out = "untouched";
    EXPECT_FALSE(platform::codePageToUtf8(437, "x", out));
    EXPECT_EQ(out, "untouched");
    ASSERT_TRUE(platform::utf8ToCodePage(949, "", out));
    EXPECT_EQ(out, "");
}

TEST(KnownFolders, ShellFoldersWithTheTestOverrides) {
    testing_support::FakeEnvironment environment;
    auto folders = platform::makeKnownFolders(environment);
    std::string path;
    platform::OsError error;
    ASSERT_TRUE(folders->shellFolder(platform::folder::kSystem, path, error));
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(path, platform::wideToUtf8(system));
    EXPECT_FALSE(folders->shellFolder(12345, path, error));
    EXPECT_EQ(error.code, platform::kInvalidArgumentResult);

    environment.values["ORV_COMMON_APPDATA"] = "C:\\Test\\AppData";
    ASSERT_TRUE(folders->shellFolder(platform::folder::kCommonAppData, path, error));
    EXPECT_EQ(path, "C:\\Test\\AppData");
    EXPECT_EQ(folders->temporaryFolder().back(), '\\');

    auto& table = platform::win32::knownFoldersSyscalls();
    const auto saved = table;
    table.shGetFolderPath = [](HWND, int, HANDLE, DWORD, LPWSTR) -> HRESULT { return E_FAIL; };
    error = platform::OsError{};
    const bool found = folders->shellFolder(platform::folder::kSystem, path, error);
    table = saved;
    EXPECT_FALSE(found);
    EXPECT_EQ(error.code, static_cast<int32_t>(E_FAIL));
}

// A key written in one view only, as a 32-bit installer leaves it.
class Registry32Key {
public:
    explicit Registry32Key(const std::wstring& path) : path_(path) {
        HKEY key = nullptr;
        created_ = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                                     nullptr, &key, nullptr) == ERROR_SUCCESS;
        if (!created_) return;
        const wchar_t value[] = L"C:\\Orvane32";
        ::RegSetValueExW(key, L"Dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
        ::RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kNumber), sizeof kNumber);
        ::RegCloseKey(key);
    }
    ~Registry32Key() {
        if (created_) ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), KEY_WOW64_32KEY, 0);
    }
    bool created() const { return created_; }

private:
    static constexpr DWORD kNumber = 7;
    std::wstring path_;
    bool created_ = false;
};

TEST(Registry, EachViewSeesItsOwnKeys) {
    const std::string path = "SOFTWARE\\OrvaneSpineTest" + std::to_string(platform::currentProcessId());
    Registry32Key written(platform::utf8ToWide(path));
    if (!written.created()) GTEST_SKIP() << "this account cannot write HKEY_LOCAL_MACHINE";
    testing_support::FakeEnvironment environment;
    auto registry = std::make_unique<platform::Registry>(environment);
    platform::OsError error;
    auto wow = registry->openLocalMachineKey(path, platform::RegistryView::Registry32, error);
    ASSERT_NE(wow, nullptr) << error.message;
    std::string value;
    ASSERT_TRUE(wow->queryString("dir", value, error)) << error.message;
    EXPECT_EQ(value, "C:\\Orvane32");
    EXPECT_FALSE(wow->queryString("Number", value, error));  // not a string
    EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(wow->queryString("NoSuchValueHere", value, error));
    EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(registry->openLocalMachineKey(path, platform::RegistryView::Native, error), nullptr);
    EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(registry->openLocalMachineKey("SOFTWARE\\NoSuchVendorHere", platform::RegistryView::Native, error),
              nullptr);
    EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(Registry, TheExportFileOverrideStaysAvailable) {
    platform::OsError openError;
    const std::string folder = testsupport::makeTemporaryFolder("orv-registry-");
    ASSERT_FALSE(folder.empty());
    const std::string file = folder + "/registry.reg";
    {
        auto out = platform::fileSystem().open(file, platform::FileMode::WriteBinary, openError);
        ASSERT_NE(out, nullptr);
        const std::string text =
            "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane]\n\"Path\"=\"C:\\\\Orvane\"\n";
        ASSERT_TRUE(out->write(text.data(), text.size(), openError));
    }
    testing_support::FakeEnvironment environment;
    environment.values["ORV_REGISTRY_FILE"] = file;
    auto registry = std::make_unique<platform::Registry>(environment);
    platform::OsError error;
    auto key = registry->openLocalMachineKey("SOFTWARE\\Orvane", platform::RegistryView::Native, error);
    ASSERT_NE(key, nullptr) << error.message;
    std::string value;
    EXPECT_TRUE(key->queryString("path", value, error));
    EXPECT_EQ(value, "C:\\Orvane");
    EXPECT_EQ(registry->openLocalMachineKey("SOFTWARE\\Orvane", platform::RegistryView::Registry32, error), nullptr);
    std::filesystem::remove_all(folder);
}

TEST(File, Utf16NamesAndInjectedFailures) {
    platform::OsError openError;
    const std::string folder = testsupport::makeTemporaryFolder("orv-file-");
    ASSERT_FALSE(folder.empty());
    const std::string file = folder + "\\r\xC3\xA9sum\xC3\xA9-\xF0\x9F\x98\x80.bin";
    const std::string content("a\0b\r\n", 5);
    {
        auto out = platform::fileSystem().open(file, platform::FileMode::WriteBinary, openError);
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->write(content.data(), content.size(), openError));
    }
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(platform::utf8ToWide(file))));
    auto in = platform::fileSystem().open(file, platform::FileMode::ReadBinary, openError);
    ASSERT_NE(in, nullptr);
    int64_t size = 0;
    ASSERT_TRUE(in->size(size, openError));
    ASSERT_EQ(size, 5);
    std::string back(5, '\0');
    size_t count = 0;
    EXPECT_TRUE(in->read(&back[0], back.size(), count, openError));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(back, content);
    in.reset();

    auto& table = platform::win32::fileSyscalls();
    const auto saved = table;
    table.wfopen = [](const wchar_t*, const wchar_t*) -> std::FILE* { return nullptr; };
    EXPECT_EQ(platform::fileSystem().open(file, platform::FileMode::ReadBinary, openError), nullptr);
    table = saved;
    std::filesystem::remove_all(std::filesystem::path(platform::utf8ToWide(folder)));
}

std::string contentOf(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(File, ReplacementKeepsTheOldContentUntilCommittedAndAfterAFailedMove) {
    const std::string folder = testsupport::makeTemporaryFolder("orv-replace-");
    ASSERT_FALSE(folder.empty());
    const std::string file = folder + "/doc.json";
    std::ofstream(std::filesystem::u8path(file), std::ios::binary) << "old";
    platform::OsError error;

    // Dropped without commit: the old content stays and no temporary file is left.
    platform::fileSystem().replace(file, error)->write("new", 3, error);
    EXPECT_EQ(contentOf(file), "old");

    auto& table = platform::win32::fileSyscalls();
    const auto saved = table;
    table.moveFileEx = [](LPCWSTR, LPCWSTR, DWORD) -> BOOL {
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    };
    {
        auto replacement = platform::fileSystem().replace(file, error);
        ASSERT_NE(replacement, nullptr) << error.message;
        ASSERT_TRUE(replacement->write("new", 3, error));
        EXPECT_FALSE(replacement->commit(error));
        EXPECT_EQ(error.code, static_cast<int32_t>(ERROR_DISK_FULL));
        EXPECT_FALSE(error.message.empty());
    }
    table = saved;
    EXPECT_EQ(contentOf(file), "old");

    auto replacement = platform::fileSystem().replace(file, error);
    ASSERT_NE(replacement, nullptr) << error.message;
    ASSERT_TRUE(replacement->write("new", 3, error));
    ASSERT_TRUE(replacement->commit(error)) << error.message;
    replacement.reset();
    EXPECT_EQ(contentOf(file), "new");
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder))) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "no temporary file is left";

    // A folder is refused for reading without waiting on it.
    EXPECT_EQ(platform::fileSystem().open(folder, platform::FileMode::ReadBinary, error), nullptr);
    EXPECT_FALSE(error.missing);
    EXPECT_EQ(platform::fileSystem().open(folder + "/missing", platform::FileMode::ReadBinary, error), nullptr);
    EXPECT_TRUE(error.missing);
    std::filesystem::remove_all(std::filesystem::u8path(folder));
}

TEST(RuntimeModules, KeysComeFromTheImageHeaderAndLookupsNeverLoad) {
    const platform::RuntimeModulesInterface& modules = platform::runtimeModules();
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(modules.findLoaded("kernel32.dll"), static_cast<platform::ModuleHandle>(kernel));
    // Not loaded in this process, and looking does not load it.
    EXPECT_EQ(modules.findLoaded("gxrt.dll"), nullptr);
    EXPECT_EQ(::GetModuleHandleW(L"gxrt.dll"), nullptr);

    const auto* image = reinterpret_cast<const unsigned char*>(kernel);
    const auto* header = reinterpret_cast<const IMAGE_NT_HEADERS64*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const uint32_t version = static_cast<uint32_t>(header->OptionalHeader.MajorImageVersion) |
                             (static_cast<uint32_t>(header->OptionalHeader.MinorImageVersion) << 16);
    EXPECT_EQ(platform::win32::imageVersionKey(kernel), version);
    EXPECT_EQ(modules.moduleKey(kernel), version == 0 ? 1u : version);
    EXPECT_TRUE(modules.isLoaded(modules.moduleKey(kernel)));
    EXPECT_NE(modules.symbol(kernel, "GetCurrentProcessId"), nullptr);
}

}  // namespace
