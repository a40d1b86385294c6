#pragma once
// The term tables: labels of usage types and other short terms by symbolic key, one table per
// language, texts in the language's code page. Generated at build time from data/terms.
#include <cstddef>
#include <cstdint>

struct lua_State;

namespace orvxlatorlua {

struct TermRow {
    const char* key;
    uint32_t offset;  // into the table's text bytes
    uint32_t length;
};

struct TermTable {
    const char* language;      // "eng", "jpn", ...
    const TermRow* rows;       // sorted by key, bytewise
    std::size_t rowCount;
    const unsigned char* text;
};

// The generated tables.
const TermTable* termTables();
std::size_t termTableCount();

// Null when the language has no table or the key no row.
const TermTable* findTermTable(const char* language);
const TermRow* findTerm(const TermTable& table, const char* key);

// Loader of the module "commonTerms_<language>" (the table is the closure's upvalue): sets the
// global "usageTypes_<language>" with getString and tprint and returns it.
int loadTermModule(lua_State* L);

}  // namespace orvxlatorlua
