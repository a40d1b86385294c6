// Whole-file reading and writing, against real files and against a file system that fails on cue.
#include <gtest/gtest.h>

#include "support/Portable.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/orverr/Exception.h"
#if !defined(_WIN32)
#include "common/platform/posix/FileSyscalls.h"
#endif
#include "helvar/impexp/file/TextFileReader.h"
#include "helvar/impexp/file/TextFileWriter.h"
#include "helvar-units/StatusDocument.h"

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

}  // namespace
}  // namespace impexp

// The Windows backend's failures are injected in the platform tests of that backend.
#if !defined(_WIN32)
namespace impexp {
namespace {

// The real backend, with one C run-time call made to fail.
class PosixFailure : public TextFile {
protected:
    void TearDown() override {
        platform::posix::fileSyscalls() = platform::posix::realFileSyscalls();
        TextFile::TearDown();
    }
};

TEST_F(PosixFailure, ReaderSeesSeekReadAndStreamFailures) {
    const std::string file = path("a.json");
    create(file, "{}");
    const Items failedToRead{"usage:kUsageTypeFilePath=" + file, "comment:Failed to read file"};
    auto readItems = [&] {
        auto [code, text] = failure([&] { TextFileReader(file.c_str()).readAll(); });
        EXPECT_EQ(code, -1074135037);
        return elaborations(parseDocument(text.c_str()));
    };

    platform::posix::fileSyscalls().tell = [](std::FILE*) -> off_t { return -1; };
    EXPECT_EQ(readItems(), failedToRead);
    platform::posix::fileSyscalls() = platform::posix::realFileSyscalls();

    platform::posix::fileSyscalls().fread = [](void*, size_t, size_t, std::FILE*) -> size_t { return 1; };
    EXPECT_EQ(readItems(), failedToRead);
    platform::posix::fileSyscalls() = platform::posix::realFileSyscalls();

    platform::posix::fileSyscalls().ferror = [](std::FILE*) { return 1; };
    EXPECT_EQ(readItems(), failedToRead);
}


}  // namespace
}  // namespace impexp
#endif
