// The term tables compiled into the library hold exactly the rows of their UTF-8 sources, each
// text in its language's code page; every language has every row, so no label a user sees is a
// key.
#include "helvar/orvxlatorlua/TermTables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "common/platform/CodePage.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/orvxlator/Languages.h"

namespace {

const std::string kSourceDir = ORV_TEST_SOURCE_DIR;

std::string utf8Text(const orvxlatorlua::TermTable& table, const orvxlatorlua::TermRow& row, uint32_t codePage) {
    const std::string stored(reinterpret_cast<const char*>(table.text + row.offset), row.length);
    std::string utf8;
    EXPECT_TRUE(platform::codePageToUtf8(codePage, stored, utf8)) << row.key;
    return utf8;
}

TEST(TermTables, HoldEveryRowOfTheirSourcesInTheirCodePage) {
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        SCOPED_TRACE(language.code);
        const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable(language.code);
        ASSERT_NE(table, nullptr);
        std::ifstream source(kSourceDir + "/data/terms/commonTerms_" + language.code + ".tsv", std::ios::binary);
        ASSERT_TRUE(source);
        std::size_t rows = 0;
        std::string line;
        while (std::getline(source, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            ++rows;
            const std::string key = line.substr(0, line.find('\t'));
            const orvxlatorlua::TermRow* row = orvxlatorlua::findTerm(*table, key.c_str());
            ASSERT_NE(row, nullptr) << key;
            EXPECT_EQ(utf8Text(*table, *row, language.codePage), line.substr(line.find('\t') + 1)) << key;
        }
        EXPECT_EQ(table->rowCount, rows);
    }
}

TEST(TermTables, EveryLanguageHasEveryRowOfEnglish) {
    const orvxlatorlua::TermTable* english = orvxlatorlua::findTermTable("eng");
    ASSERT_NE(english, nullptr);
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        SCOPED_TRACE(language.code);
        const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable(language.code);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount, english->rowCount);
        for (std::size_t i = 0; i < english->rowCount; ++i) {
            const orvxlatorlua::TermRow* row = orvxlatorlua::findTerm(*table, english->rows[i].key);
            ASSERT_NE(row, nullptr) << english->rows[i].key;
            EXPECT_GT(row->length, 0u) << row->key;
        }
    }
}

// Every usage-type name that Helvar's sources hand to a raise site, found by reading them.
std::set<std::string> usageNamesInSources() {
    const std::regex usageName("\"((?:[a-z]+_)?kUsageType[A-Za-z0-9]+)\"");
    std::set<std::string> names;
    for (const char* folder : {"/src/helvar", "/src/common"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(kSourceDir + folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            std::ifstream file(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << file.rdbuf();
            const std::string content = text.str();
            for (std::sregex_iterator it(content.begin(), content.end(), usageName), end; it != end; ++it)
                names.insert((*it)[1].str());
        }
    }
    return names;
}

TEST(TermTables, EveryUsageTypeTheLibraryWritesIsLabelledInEveryLanguage) {
    const std::set<std::string> names = usageNamesInSources();
    // The walk found the import/export engine's names, so it looked where they are.
    ASSERT_TRUE(names.count(impexp::usage::kConfigurationOldestCompatibleVersion)) << names.size();
    ASSERT_TRUE(names.count(impexp::usage::kAttributeId)) << names.size();
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        SCOPED_TRACE(language.code);
        const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable(language.code);
        ASSERT_NE(table, nullptr);
        for (const std::string& name : names) {
            const orvxlatorlua::TermRow* row = orvxlatorlua::findTerm(*table, name.c_str());
            ASSERT_NE(row, nullptr) << name;
            EXPECT_NE(utf8Text(*table, *row, language.codePage), name);
        }
    }
}

// The tables' own separator term agrees with the one reports put between label and value.
TEST(TermTables, ColonSeparatorIsTheReportsLabelSeparator) {
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        SCOPED_TRACE(language.code);
        const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable(language.code);
        ASSERT_NE(table, nullptr);
        const orvxlatorlua::TermRow* row = orvxlatorlua::findTerm(*table, "kAuxTermColonSpaceSeparator");
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(utf8Text(*table, *row, language.codePage), language.labelSeparator);
    }
}

TEST(TermTables, UnknownKeyOrLanguageFindsNothing) {
    const orvxlatorlua::TermTable* table = orvxlatorlua::findTermTable("eng");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(orvxlatorlua::findTerm(*table, "kUsageTypeNoSuchThing"), nullptr);
    EXPECT_EQ(orvxlatorlua::findTerm(*table, ""), nullptr);
    EXPECT_EQ(orvxlatorlua::findTermTable("zzz"), nullptr);
}

}  // namespace
