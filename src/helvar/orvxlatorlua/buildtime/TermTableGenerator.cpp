// Build-time program: turns the UTF-8 term sources (key<TAB>text lines, '#' comments) into the
// C++ source of the term tables, each text converted to its language's code page and written
// as bytes (compilers reject such bytes in string literals).
//   TermTableGenerator OUTPUT.cpp SOURCE.tsv [SOURCE.tsv ...]
// Each source is named commonTerms_<language>.tsv after a language of the description languages.
// English texts must be ASCII: they stand in for missing rows under every code page.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/platform/CodePage.h"
#include "helvar/orvxlator/Languages.h"

namespace {

struct Table {
    std::string language;
    std::map<std::string, std::string> rows;  // key -> converted text, sorted bytewise
};

bool isKey(const std::string& key) {
    if (key.empty()) return false;
    for (unsigned char c : key)
        if (!(std::isalnum(c) || c == '_')) return false;
    return true;
}

constexpr uint32_t kAsciiOnly = 0;

bool convert(uint32_t codePage, const std::string& text, std::string& converted) {
    if (codePage == kAsciiOnly) {
        converted = text;
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }
    std::string back;
    // A character the code page lacks would turn into '?': refuse it here instead.
    return platform::utf8ToCodePage(codePage, text, converted) && platform::codePageToUtf8(codePage, converted, back) &&
           back == text;
}

// "eng" from ".../commonTerms_eng.tsv"; empty when the name has another form.
std::string languageOf(const std::string& path) {
    static const std::string prefix = "commonTerms_";
    static const std::string suffix = ".tsv";
    const std::string::size_type slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::string();
    return name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

bool readTable(const std::string& path, uint32_t codePage, Table& table) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string::size_type tab = line.find('\t');
        const std::string key = line.substr(0, tab);
        const std::string text = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        std::string converted;
        if (tab == std::string::npos || !isKey(key)) {
            std::cerr << path << ":" << number << ": expected key<TAB>text\n";
            return false;
        }
        if (!convert(codePage, text, converted)) {
            std::cerr << path << ":" << number << ": text has characters code page " << codePage << " lacks\n";
            return false;
        }
        if (!table.rows.emplace(key, converted).second) {
            std::cerr << path << ":" << number << ": key " << key << " repeated\n";
            return false;
        }
    }
    return true;
}

void writeTable(std::ostream& out, const Table& table) {
    out << "const unsigned char kText_" << table.language << "[] = {";
    std::size_t count = 0;
    for (const auto& row : table.rows)
        for (unsigned char c : row.second) out << (count++ % 16 == 0 ? "\n    " : " ") << static_cast<unsigned>(c) << ",";
    if (count == 0) out << "0";
    out << "\n};\nconst TermRow kRows_" << table.language << "[] = {\n";
    std::size_t offset = 0;
    for (const auto& row : table.rows) {
        out << "    {\"" << row.first << "\", " << offset << ", " << row.second.size() << "},\n";
        offset += row.second.size();
    }
    if (table.rows.empty()) out << "    {\"\", 0, 0},\n";
    out << "};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: TermTableGenerator OUTPUT.cpp SOURCE.tsv ...\n";
        return 2;
    }
    std::vector<Table> tables;
    for (int i = 2; i < argc; ++i) {
        Table table;
        table.language = languageOf(argv[i]);
        const orvxlator::Language* language = orvxlator::findLanguageByCode(table.language.c_str());
        if (language == nullptr) {
            std::cerr << argv[i] << ": not the term source of a description language\n";
            return 1;
        }
        const uint32_t codePage = language == &orvxlator::kLanguages[0] ? kAsciiOnly : language->codePage;
        if (!readTable(argv[i], codePage, table)) return 1;
        tables.push_back(std::move(table));
    }
    std::ostringstream out;
    out << "// Generated from the term sources at build time; edit those instead.\n"
        << "#include \"helvar/orvxlatorlua/TermTables.h\"\n\nnamespace orvxlatorlua {\nnamespace {\n\n";
    for (const Table& table : tables) writeTable(out, table);
    out << "const TermTable kTables[] = {\n";
    for (const Table& table : tables)
        out << "    {\"" << table.language << "\", kRows_" << table.language << ", " << table.rows.size() << ", kText_"
            << table.language << "},\n";
    out << "};\n\n}  // namespace\n\nconst TermTable* termTables() { return kTables; }\n"
        << "std::size_t termTableCount() { return sizeof(kTables) / sizeof(kTables[0]); }\n\n"
        << "}  // namespace orvxlatorlua\n";
    // Rewrite only on change, so that the library is not rebuilt needlessly.
    std::ifstream old(argv[1], std::ios::binary);
    std::ostringstream oldText;
    if (old) oldText << old.rdbuf();
    if (old && oldText.str() == out.str()) return 0;
    old.close();
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    return file ? 0 : 1;
}
