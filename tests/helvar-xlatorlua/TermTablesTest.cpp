// The term tables compiled into the library hold exactly the rows of their UTF-8 sources, each
// text in its language's code page.
#include "helvar/orvxlatorlua/TermTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/platform/CodePage.h"

namespace {

struct Language {
    const char* code;
    uint32_t codePage;
};

TEST(TermTables, HoldEveryRowOfTheirSourcesInTheirCodePage) {
    const std::string sourceDir = ORV_TEST_SOURCE_DIR;
    for (const Language& language : {Language{"eng", 1252}, Language{"jpn", 932}, Language{"fra", 1252},
                                     Language{"deu", 1252}}) {
        SCOPED_TRACE(language.code);
        const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable(language.code);
        ASSERT_NE(table, nullptr);
        std::ifstream source(sourceDir + "/data/terms/commonTerms_" + language.code + ".tsv",
                             std::ios::binary);
        std::size_t rows = 0;
        std::string line;
        while (source && std::getline(source, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            ++rows;
            const std::string key = line.substr(0, line.find('\t'));
            const std::string text = line.substr(line.find('\t') + 1);
            const orvxlatorlua::TermRow* row = orvxlatorlua::findTerm(*table, key.c_str());
            ASSERT_NE(row, nullptr) << key;
            const std::string stored(reinterpret_cast<const char*>(table->text + row->offset), row->length);
            std::string utf8;
            ASSERT_TRUE(platform::codePageToUtf8(language.codePage, stored, utf8));
            EXPECT_EQ(utf8, text) << key;
        }
        EXPECT_EQ(table->rowCount, rows);
    }
}

TEST(TermTables, UnknownKeyOrLanguageFindsNothing) {
    const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable("eng");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(orvxlatorlua::findTerm(*table, "kUsageTypeNoSuchThing"), nullptr);
    EXPECT_EQ(orvxlatorlua::findTerm(*table, ""), nullptr);
    EXPECT_EQ(orvxlatorlua::findTermTable("kor"), nullptr);
}

}  // namespace
