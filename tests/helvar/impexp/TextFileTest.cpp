// Whole-file reading and writing, against real files and with the backend's calls failing on cue.
#include <gtest/gtest.h>

#include "support/Portable.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <type_traits>

#include "common/orverr/Exception.h"
#include "common/platform/Syscalls.h"
#include "helvar/impexp/file/TextFileReader.h"
#include "helvar/impexp/file/TextFileWriter.h"
#include "support/StatusDocument.h"
#include "support/FaultPlan.h"

namespace impexp {
namespace {

namespace fs = std::filesystem;
using testing_units::elaborations;
using testing_units::errorConstant;
using testing_units::parseDocument;
using Items = std::vector<std::string>;

class TextFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("helvar-textfile-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / fs::u8path(name)).u8string(); }

    static std::string contents(const std::string& file) {
        std::ifstream stream(fs::u8path(file), std::ios::binary);
        std::stringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    static void create(const std::string& file, const std::string& bytes) {
        std::ofstream(fs::u8path(file), std::ios::binary) << bytes;
    }

    fs::path folder_;
};

// Runs body, which must throw an orverr::Exception; returns its code and document.
template <class Body>
std::pair<int32_t, std::string> failure(Body body) {
    try {
        body();
    } catch (const orverr::Exception& exception) {
        return {exception.code(), exception.documentText()};
    }
    ADD_FAILURE() << "no exception";
    return {0, "{}"};
}

TEST_F(TextFile, WritesAndReadsExactBytes) {
    const std::string file = path("doc.json");
    const char raw[] = "{\n   \"a\": 1\r\n}\0\xFF";
    const std::string bytes(raw, sizeof raw - 1);
    TextFileWriter(file.c_str()).writeAll(bytes.data(), bytes.size());
    EXPECT_EQ(contents(file), bytes);
    EXPECT_EQ(TextFileReader(file.c_str()).readAll(), bytes);
}

TEST_F(TextFile, WriterTruncatesAnExistingFile) {
    const std::string file = path("old.json");
    create(file, std::string(1000, 'x'));
    TextFileWriter(file.c_str()).writeAll("new", 3);
    EXPECT_EQ(contents(file), "new");
    TextFileWriter(file.c_str()).writeAll(nullptr, 0);
    EXPECT_EQ(contents(file), "");
}

TEST_F(TextFile, EmptyFileReadsAsEmptyString) {
    const std::string file = path("empty.json");
    create(file, "");
    EXPECT_EQ(TextFileReader(file.c_str()).readAll(), "");
}

TEST_F(TextFile, KeepsAByteOrderMark) {
    const std::string file = path("bom.json");
    create(file, "\xEF\xBB\xBF{}");
    EXPECT_EQ(TextFileReader(file.c_str()).readAll(), "\xEF\xBB\xBF{}");
}

TEST_F(TextFile, OpensNonAsciiNamesGivenInUtf8) {
    const std::string file = path("Konfiguration-\xC3\xA4\xC3\xB6\xC3\xBC-\xE6\x97\xA5\xE6\x9C\xAC.json");
    TextFileWriter(file.c_str()).writeAll("{}", 2);
    EXPECT_TRUE(fs::exists(fs::u8path(file)));
    EXPECT_EQ(TextFileReader(file.c_str()).readAll(), "{}");
}

TEST_F(TextFile, AcceptsBackslashSeparators) {
    fs::create_directories(folder_ / "sub");
    std::string file = path("sub/x.json");
    std::string windowsStyle = file;
    windowsStyle.replace(windowsStyle.rfind('/'), 1, "\\");
    TextFileWriter(windowsStyle.c_str()).writeAll("1", 1);
    EXPECT_EQ(contents(file), "1");
    EXPECT_EQ(TextFileReader(windowsStyle.c_str()).readAll(), "1");
}

TEST_F(TextFile, MissingFileIsAReadingErrorWithThePath) {
    const std::string file = path("missing.json");
    auto [code, text] = failure([&] { TextFileReader reader(file.c_str()); });
    EXPECT_EQ(code, -1074135037);
    auto document = parseDocument(text.c_str());
    EXPECT_EQ(errorConstant(document), "ivierrors::ERR_READING_FILE");
    EXPECT_EQ(std::string(document["component"].GetString()), "Helvar");
    EXPECT_EQ(std::string(document["translator"].GetString()), "mxlator_Digiscan");
    EXPECT_EQ(elaborations(document), Items({"usage:kUsageTypeFilePath=" + file, "usage:kUsageTypeAdditionalErrorInfo=" + testsupport::missingFileReason()}));
}

TEST_F(TextFile, UnwritableFileIsAWritingErrorWithThePath) {
    const std::string file = path("no-such-folder/out.json");
    auto [code, text] = failure([&] { TextFileWriter writer(file.c_str()); });
    EXPECT_EQ(code, -1074135036);
    auto document = parseDocument(text.c_str());
    EXPECT_EQ(errorConstant(document), "ivierrors::ERR_WRITING_FILE");
    EXPECT_EQ(elaborations(document), Items({"usage:kUsageTypeFilePath=" + file, "usage:kUsageTypeAdditionalErrorInfo=" + testsupport::missingFileReason(true)}));
}

TEST_F(TextFile, NullPathIsAnInvalidValueAndTouchesNothing) {
    for (bool reading : {true, false}) {
        auto [code, text] = failure([&] {
            if (reading) TextFileReader reader(nullptr);
            else TextFileWriter writer(nullptr);
        });
        EXPECT_EQ(code, -1074135024);
        auto document = parseDocument(text.c_str());
        EXPECT_EQ(elaborations(document), Items{"comment:Null file path."});
    }
}

// One of the reader's calls, struck at its n-th use.
struct ReaderStrike {
    const char* what;
    void (*strike)();
    int call;
};

// The real backend, with its calls struck through the system-call tables.
class TextFileFailures : public TextFile {
protected:
    using Calls = faultplan::native::FileSyscalls;
    static Calls& calls() { return faultplan::native::fileSyscalls(); }

    void TearDown() override {
        faultplan::disarm();
        platform::restoreRealSyscalls();
        TextFile::TearDown();
    }

    Items readFailure(const std::string& file) {
        auto [code, text] = failure([&] { TextFileReader(file.c_str()).readAll(); });
        EXPECT_EQ(code, -1074135037);
        auto document = parseDocument(text.c_str());
        EXPECT_EQ(errorConstant(document), "ivierrors::ERR_READING_FILE");
        return elaborations(document);
    }

    template <size_t count>
    void expectEachToFailTheRead(const std::string& file, const ReaderStrike (&strikes)[count]) {
        for (const ReaderStrike& s : strikes) {
            s.strike();
            faultplan::arm(faultplan::Fault::FailOnce, s.call);
            EXPECT_EQ(readFailure(file), Items({"usage:kUsageTypeFilePath=" + file, "comment:Failed to read file"}))
                << s.what;
            EXPECT_TRUE(faultplan::reached()) << s.what;
            platform::restoreRealSyscalls();
        }
    }
};

TEST_F(TextFileFailures, ReaderReportsAnUnknownSize) {
    const std::string file = path("a.json");
    create(file, "{}");
    const ReaderStrike strikes[] = {
        {"seek to the end", [] { calls().seek = faultplan::strikeable<&Calls::seek>(); }, 1},
        {"tell", [] { calls().tell = faultplan::strikeable<&Calls::tell>(); }, 1},
        {"seek back", [] { calls().seek = faultplan::strikeable<&Calls::seek>(); }, 2},
    };
    expectEachToFailTheRead(file, strikes);
    EXPECT_EQ(TextFileReader(file.c_str()).readAll(), "{}");
}

TEST_F(TextFileFailures, ReaderReportsShortReadsAndStreamErrors) {
    const std::string file = path("a.json");
    create(file, "{}");
    const ReaderStrike strikes[] = {
        {"read", [] { calls().fread = faultplan::strikeable<&Calls::fread>(); }, 1},
        {"stream error", [] { calls().ferror = faultplan::strikeable<&Calls::ferror>(); }, 1},
    };
    expectEachToFailTheRead(file, strikes);
}

TEST_F(TextFileFailures, ReaderRefusesFilesOf2GiBOrMore) {
    using Offset = std::invoke_result_t<decltype(Calls::tell), std::FILE*>;
    static Offset told;
    const std::string file = path("a.json");
    create(file, "{}");
    calls().tell = [](std::FILE*) { return told; };
    for (const Offset size : {Offset{1} << 31, Offset{1} << 40}) {
        told = size;
        EXPECT_EQ(readFailure(file), Items({"usage:kUsageTypeFilePath=" + file, "comment:File too large (2 GiB or more)"}))
            << size;
    }
}

// A failed write, sync or rename of the replacement reports the system's reason and leaves the
// old content.
TEST_F(TextFileFailures, WriterReportsShortWritesAndFailedFlushes) {
    const std::string file = path("a.json");
    const std::string reason = testsupport::systemMessage(faultplan::kDiskFull);
    faultplan::strikeReplacementChanges();
    for (const auto& [what, call] : {std::pair{"write", 1}, std::pair{"sync", 2}, std::pair{"rename", 3}}) {
        create(file, "old");
        faultplan::arm(faultplan::Fault::FailOnce, call);
        auto [code, text] = failure([&] { TextFileWriter(file.c_str()).writeAll("abcdef", 6); });
        faultplan::disarm();
        EXPECT_EQ(code, -1074135036) << what;
        auto document = parseDocument(text.c_str());
        EXPECT_EQ(errorConstant(document), "ivierrors::ERR_WRITING_FILE") << what;
        EXPECT_EQ(elaborations(document),
                  Items({"usage:kUsageTypeFilePath=" + file, "usage:kUsageTypeAdditionalErrorInfo=" + reason}))
            << what;
        EXPECT_EQ(contents(file), "old") << what;
    }
}

}  // namespace
}  // namespace impexp
