#pragma once
// A document read for comparing and showing: checked by the library as an import checks it
// (without a session), then read as JSON.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <rapidjson/document.h>

namespace helvartool {

struct DocumentEntry {
    std::size_t position = 0;  // 1-based, in the "attributes" array
    uint32_t id = 0;
    std::string name;
    std::string channel;
    const rapidjson::Value* value = nullptr;  // null when the entry has none
};

struct DocumentFile {
    std::string path;
    rapidjson::Document dom;
    std::vector<DocumentEntry> entries;
    std::vector<std::string> notes;  // what an import would say of a document read all the same
};

// Reads and checks path ("-": standard input). kOk, or kEnvironment after printing the reason to err.
int readDocumentFile(const std::string& path, DocumentFile& document, std::ostream& err);

// The value as one line of compact JSON ("-" for none): newlines and tabs stay escaped.
std::string valueText(const rapidjson::Value* value);
// The engine type the JSON kind of the value implies ("-" when none does).
const char* impliedType(const rapidjson::Value* value);
// The member at a JSON Pointer, or null.
const rapidjson::Value* memberAt(const rapidjson::Value& root, const char* pointer);

}  // namespace helvartool
