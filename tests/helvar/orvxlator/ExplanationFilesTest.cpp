// Lookups in explanation files: the file format, folder order, language folders and the failures.
#include <gtest/gtest.h>

#include <string>

#include "common/orverr/JsonReader.h"
#include "helvar/orvxlator/ExplanationFiles.h"
#include "helvar/orvxlator/ExplanationLines.h"
#include "TempTree.h"

using orvxlator::explanationFiles;
using testing_xlator::explanationFile;
using testing_xlator::TempTree;

namespace {

std::string debugMember(const orverr::Status& status, const char* name) {
    const char* object = orverr::findMember(status.text(), "orvxlator_debug");
    const auto value = orverr::readStringMember(object, name);
    return value ? *value : "";
}

struct FileCase {
    const char* name;
    std::string content;
    int32_t code;
    const char* expected;    // the description
    int32_t expectedStatus;  // 0 or the failure
    const char* debug;       // the failure's "debug" text
};

class ExplanationFileCases : public testing::TestWithParam<FileCase> {};

TEST_P(ExplanationFileCases, FindsTheDescriptionOrFails) {
    const FileCase& c = GetParam();
    TempTree tree;
    const std::string path = tree.write("errors.txt", c.content);
    std::string text = "stale";
    orverr::Status status;
    explanationFiles().findInFile(path, c.code, text, status);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(status.code, c.expectedStatus) << status.text();
    if (c.debug) {
        EXPECT_EQ(debugMember(status, "debug"), c.debug);
    }
}

const std::string kTwoLines = "<orverror code=\"-1074135037\">\nFirst line.\nSecond line.\n</orverror>\n";

INSTANTIATE_TEST_SUITE_P(
    Formats, ExplanationFileCases,
    testing::Values(
        FileCase{"NegativeDecimalTwoLines", explanationFile(kTwoLines), -1074135037, "First line.\nSecond line.", 0, nullptr},
        FileCase{"HexadecimalCodeIsTheSame32Bits", explanationFile("<orverror code=\"0xBFFA0003\">\nRead.\n</orverror>\n"),
                 -1074135037, "Read.", 0, nullptr},
        FileCase{"OctalCode", explanationFile("<orverror code=\"017\">\nFifteen.\n</orverror>\n"), 15, "Fifteen.", 0, nullptr},
        FileCase{"UpperCaseTags", "<?XML VERSION=\"1.0\"?>\n<ORVDOCUMENT>\n<ORVERROR CODE=\"5\">\nFive.\n</ORVERROR>\n",
                 5, "Five.", 0, nullptr},
        FileCase{"CarriageReturnsDropped",
                 "<?xml version=\"1.0\"?>\r\n<orvdocument>\r\n<orverror code=\"7\">\r\nA\r\nB\r\n</orverror>\r\n", 7,
                 "A\nB", 0, nullptr},
        FileCase{"BlankFirstLineSkipsTheFile", "\n" + explanationFile(kTwoLines), -1074135037, "", 0, nullptr},
        FileCase{"MissingDocumentLineSkipsTheFile", "<?xml version=\"1.0\"?>\n" + kTwoLines, -1074135037, "", 0, nullptr},
        FileCase{"FirstDefinitionWins",
                 explanationFile("<orverror code=\"3\">\nfirst\n</orverror>\n<orverror code=\"3\">\nsecond\n</orverror>\n"), 3,
                 "first", 0, nullptr},
        FileCase{"CommentsAreSkipped",
                 explanationFile("<orvcomment>\n<orverror code=\"3\">\nhidden\n</orverror>\n</orvcomment>\n"
                                 "<orverror code=\"3\">\nshown\n</orverror>\n"),
                 3, "shown", 0, nullptr},
        FileCase{"NothingAfterTheDocumentEnd",
                 explanationFile("") + "<orverror code=\"3\">\nafter\n</orverror>\n", 3, "", 0, nullptr},
        FileCase{"CodeNotFound", explanationFile(kTwoLines), 1, "", 0, nullptr},
        FileCase{"MissingEndFailsForAnotherCode", explanationFile("<orverror code=\"9\">\ntext\n"), 1, "", -52006,
                 "Bad explanation file. Could not find the end of the status code definition !"},
        FileCase{"CodeWithoutNumber", explanationFile("<orverror code=\"x\">\ntext\n</orverror>\n"), 1, "", -52006,
                 "Could not successfully read the status data!"},
        FileCase{"LineStartingWithNul", explanationFile(std::string("\0junk\n", 6)), 1, "", -52006,
                 "Bad explanation file. Unidentified section heading !"}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

TEST(ExplanationLines, LongLinesComeInPiecesOf1023Bytes) {
    const std::string content = std::string(2000, 'a') + "\n";
    orvxlator::ExplanationLines lines(content);
    std::string line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line.size(), 1023u);
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, std::string(977, 'a') + "\n");
    EXPECT_FALSE(lines.next(line));
}

TEST(ExplanationLines, CodesMapOntoThirtyTwoBits) {
    const struct {
        const char* text;
        int32_t code;
    } cases[] = {{"-52006\"", -52006}, {"0xFFFF34DA", -52006}, {"+12", 12}, {"4294967295", -1}, {"0x1FFFFFFFF", -1}};
    for (const auto& c : cases) {
        int32_t code = 0;
        ASSERT_TRUE(orvxlator::parseCode(c.text, code)) << c.text;
        EXPECT_EQ(code, c.code) << c.text;
    }
    int32_t code = 0;
    EXPECT_FALSE(orvxlator::parseCode("-x", code));
}

TEST(ExplanationFolders, OnlyTxtAndErrFilesInNameOrder) {
    TempTree tree;
    tree.write("f/a.TXT", explanationFile("<orverror code=\"1\">\nupper\n</orverror>\n"));
    tree.write("f/b.err", explanationFile("<orverror code=\"1\">\nfrom b\n</orverror>\n"));
    tree.write("f/c.txt", explanationFile("<orverror code=\"1\">\nfrom c\n</orverror>\n<orverror code=\"2\">\ntwo\n</orverror>\n"));
    tree.write("f/d.txt/inner.txt", explanationFile("<orverror code=\"2\">\nfolder\n</orverror>\n"));
    std::string text;
    orverr::Status status;
    explanationFiles().findInFolder(tree.path("f"), 1, text, status);
    EXPECT_EQ(text, "from b");
    explanationFiles().findInFolder(tree.path("f"), 2, text, status);
    EXPECT_EQ(text, "two");
    EXPECT_EQ(status.code, 0);
}

TEST(ExplanationFolders, MissingFolderReportsErrno) {
    TempTree tree;
    std::string text;
    orverr::Status status;
    explanationFiles().findInFolder(tree.path("absent"), 1, text, status);
    EXPECT_EQ(status.code, -52006);
    EXPECT_EQ(debugMember(status, "debug"), "open dir failed");
    const char* internal = orverr::findMember(status.text(), "internal_error");
    EXPECT_EQ(orverr::readStringMember(internal, "api").value_or(""), "errno");
    EXPECT_GT(orverr::readIntegerMember(internal, "code").value_or(0), 0);
}

TEST(ExplanationFolders, ErrorsFolderTriesTheLanguageThenItselfWithoutRegardToCase) {
    TempTree tree;
    tree.write("Errors/JAPANESE/x.txt", explanationFile("<orverror code=\"1\">\njapanese\n</orverror>\n"));
    tree.write("Errors/French/x.txt", explanationFile(""));
    tree.write("Errors/common.txt", explanationFile("<orverror code=\"2\">\ncommon\n</orverror>\n"));
    std::string text;
    orverr::Status status;
    explanationFiles().findInErrorsFolder(tree.path("errors"), 1, 3, text, status);
    EXPECT_EQ(text, "japanese");
    explanationFiles().findInErrorsFolder(tree.path("errors"), 2, 1, text, status);
    EXPECT_EQ(text, "common");
    EXPECT_EQ(status.code, 0) << status.text();
    // No German folder: the lookup fails rather than guessing.
    explanationFiles().findInErrorsFolder(tree.root() + "\\Errors", 2, 2, text, status);
    EXPECT_EQ(status.code, -52006);
}

TEST(ExplanationFolders, InvalidLanguage) {
    std::string text;
    orverr::Status status;
    explanationFiles().findInErrorsFolder("/nowhere", 1, 6, text, status);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(debugMember(status, "gxerrorsparser"), "invalid language");
    EXPECT_EQ(orverr::readIntegerMember(orverr::findMember(status.text(), "orvxlator_debug"), "lang").value_or(0), 6);
}

TEST(ExplanationFolders, AnEarlierErrorStopsEveryLookup) {
    TempTree tree;
    const std::string path = tree.write("x.txt", explanationFile("<orverror code=\"1\">\nfound\n</orverror>\n"));
    orverr::Status status;
    status.code = -1;
    std::string text;
    explanationFiles().findInFile(path, 1, text, status);
    EXPECT_EQ(text, "");
    EXPECT_EQ(status.code, -1);
}

}  // namespace
