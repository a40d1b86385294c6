// Build-time program: turns the UTF-8 term sources (key<TAB>text lines, '#' comments) into the
// C++ source of the term tables, each text converted to its language's code page and written
// as bytes (compilers reject such bytes in string literals).
//   TermTableGenerator OUTPUT.cpp LANGUAGE CODEPAGE SOURCE.tsv [LANGUAGE CODEPAGE SOURCE.tsv ...]
// Code page 0 means ASCII only. A missing source gives an empty table.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/platform/CodePage.h"

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

bool convert(uint32_t codePage, const std::string& text, std::string& converted) {
    if (codePage == 0) {
        converted = text;
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }
    std::string back;
    // A character the code page lacks would turn into '?': refuse it here instead.
    return platform::utf8ToCodePage(codePage, text, converted) && platform::codePageToUtf8(codePage, converted, back) &&
           back == text;
}

bool readTable(const std::string& path, uint32_t codePage, Table& table) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return true;
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
    if (argc < 5 || (argc - 2) % 3 != 0) {
        std::cerr << "usage: TermTableGenerator OUTPUT.cpp LANGUAGE CODEPAGE SOURCE.tsv ...\n";
        return 2;
    }
    std::vector<Table> tables;
    for (int i = 2; i < argc; i += 3) {
        Table table;
        table.language = argv[i];
        if (!readTable(argv[i + 2], static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10)), table)) return 1;
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
