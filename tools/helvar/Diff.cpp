// helvar diff: two documents compared by meaning, entry by entry and header member by member.
#include <getopt.h>

#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "Commands.h"
#include "DocumentFile.h"

namespace helvartool {

const char* const kDiffHelp =
    "usage: helvar diff [--all] [--json] A B\n"
    "Compares two documents by meaning: entries by (id, channel), added, removed and changed with\n"
    "their names, channels and both values; then the header (model number, format versions,\n"
    "channels, option string, generator version). Numbers compare as an import reads them (1000\n"
    "and 1000.0 are the same), strings byte for byte. Both documents are checked as an import\n"
    "checks them, without a session.\n"
    "  --all    also compare the time stamp, the generator name and the entries' names\n"
    "  --json   the result as one JSON object (see helvar(1))\n"
    "exit codes: 0 equal, 1 they differ, 2 usage error, 3 a file unreadable or not a valid document,\n"
    "4 output failed.\n"
    "example: helvar diff station-a.json station-b.json\n";

namespace {

using Key = std::pair<uint32_t, std::string>;

struct HeaderMember {
    const char* label;
    const char* pointer;
    bool onlyWithAll;
};

// The header members compared, in the order they are reported.
const HeaderMember kHeaderMembers[] = {
    {"model number", "/devices", false},
    {"format version", "/formatVersion", false},
    {"oldest compatible format version", "/oldestCompatibleFormatVersion", false},
    {"channels", "/session/channels", false},
    {"option string", "/session/optionString", false},
    {"generator version", "/generatedBy/version", false},
    {"generator", "/generatedBy/name", true},
    {"time stamp", "/timeStamp", true},
};

// rapidjson's equality is the import's reading: integers exactly, a number with a fraction or an
// exponent against any number as doubles, strings byte for byte, true and false by kind.
bool sameValue(const rapidjson::Value* a, const rapidjson::Value* b) {
    if (!a || !b) return a == b;
    return *a == *b;
}

// The entry an import leaves in effect for each key: the last one of it.
std::map<Key, const DocumentEntry*> byKey(const DocumentFile& document) {
    std::map<Key, const DocumentEntry*> entries;
    for (const DocumentEntry& entry : document.entries) entries[Key(entry.id, entry.channel)] = &entry;
    return entries;
}

struct Difference {
    const char* kind;  // "added", "removed", "changed"
    const DocumentEntry* a;
    const DocumentEntry* b;
};

struct HeaderDifference {
    const HeaderMember* member;
    const rapidjson::Value* a;
    const rapidjson::Value* b;
};

struct Comparison {
    std::vector<Difference> entries;
    std::vector<HeaderDifference> header;
    std::vector<std::string> notes;
    bool equal() const { return entries.empty() && header.empty(); }
};

Comparison compare(const DocumentFile& a, const DocumentFile& b, bool all) {
    Comparison result;
    const auto left = byKey(a);
    const auto right = byKey(b);
    for (const auto& [key, entry] : left) {
        const auto other = right.find(key);
        if (other == right.end()) {
            result.entries.push_back({"removed", entry, nullptr});
        } else if (!sameValue(entry->value, other->second->value) || (all && entry->name != other->second->name)) {
            result.entries.push_back({"changed", entry, other->second});
        }
    }
    for (const auto& [key, entry] : right)
        if (left.find(key) == left.end()) result.entries.push_back({"added", nullptr, entry});
    for (const HeaderMember& member : kHeaderMembers) {
        if (member.onlyWithAll && !all) continue;
        const rapidjson::Value* x = memberAt(a.dom, member.pointer);
        const rapidjson::Value* y = memberAt(b.dom, member.pointer);
        if (!sameValue(x, y)) result.header.push_back({&member, x, y});
    }
    for (const DocumentFile* document : {&a, &b})
        for (const std::string& note : document->notes) result.notes.push_back(document->path + ": " + note);
    if (!sameValue(memberAt(a.dom, "/devices"), memberAt(b.dom, "/devices")))
        result.notes.push_back("the documents are for different models: an import refuses each on a session of the "
                               "other's model");
    return result;
}

std::string entryText(const DocumentEntry& entry) {
    return std::to_string(entry.id) + " " + entry.name + " channel \"" + entry.channel + "\"";
}

void printText(const Comparison& result, const DocumentFile& a, const DocumentFile& b) {
    if (result.equal()) {
        std::cout << a.path << " and " << b.path << " are equal\n";
    } else {
        std::cout << "--- " << a.path << "\n+++ " << b.path << "\n";
    }
    for (const Difference& d : result.entries) {
        if (d.a && d.b) {
            std::cout << "changed  " << entryText(*d.a) << ": " << valueText(d.a->value) << " -> "
                      << valueText(d.b->value) << (d.a->name != d.b->name ? " (named " + d.b->name + ")" : "") << "\n";
        } else {
            const DocumentEntry& entry = d.a ? *d.a : *d.b;
            std::cout << d.kind << (d.a ? "  " : "    ") << entryText(entry) << ": " << valueText(entry.value) << "\n";
        }
    }
    for (const HeaderDifference& h : result.header)
        std::cout << "header   " << h.member->label << ": " << valueText(h.a) << " -> " << valueText(h.b) << "\n";
    for (const std::string& note : result.notes) std::cout << "note: " << note << "\n";
}

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void writeString(JsonWriter& w, const std::string& text) {
    w.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}

void writeValue(JsonWriter& w, const rapidjson::Value* value) {
    if (value) value->Accept(w); else w.Null();
}

void writeEntry(JsonWriter& w, const DocumentEntry& entry) {
    w.StartObject();
    w.Key("name");
    writeString(w, entry.name);
    w.Key("value");
    writeValue(w, entry.value);
    w.EndObject();
}

void printJson(const Comparison& result, const DocumentFile& a, const DocumentFile& b) {
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    w.StartObject();
    w.Key("a");
    writeString(w, a.path);
    w.Key("b");
    writeString(w, b.path);
    w.Key("equal");
    w.Bool(result.equal());
    w.Key("entries");
    w.StartArray();
    for (const Difference& d : result.entries) {
        const DocumentEntry& entry = d.a ? *d.a : *d.b;
        w.StartObject();
        w.Key("change");
        w.String(d.kind);
        w.Key("id");
        w.Uint(entry.id);
        w.Key("channel");
        writeString(w, entry.channel);
        w.Key("a");
        if (d.a) writeEntry(w, *d.a); else w.Null();
        w.Key("b");
        if (d.b) writeEntry(w, *d.b); else w.Null();
        w.EndObject();
    }
    w.EndArray();
    w.Key("header");
    w.StartArray();
    for (const HeaderDifference& h : result.header) {
        w.StartObject();
        w.Key("member");
        w.String(h.member->pointer);
        w.Key("a");
        writeValue(w, h.a);
        w.Key("b");
        writeValue(w, h.b);
        w.EndObject();
    }
    w.EndArray();
    w.Key("notes");
    w.StartArray();
    for (const std::string& note : result.notes) writeString(w, note);
    w.EndArray();
    w.EndObject();
    std::cout << buffer.GetString() << "\n";
}

}  // namespace

int diffCommand(int argc, char** argv) {
    static const option kLong[] = {{"all", no_argument, nullptr, 'a'},
                                   {"json", no_argument, nullptr, 'j'},
                                   {"help", no_argument, nullptr, 'h'},
                                   {nullptr, 0, nullptr, 0}};
    bool all = false;
    bool json = false;
    optind = 1;
    for (int c; (c = getopt_long(argc, argv, "+h", kLong, nullptr)) != -1;) {
        if (c == 'h') {
            std::cout << kDiffHelp;
            return kOk;
        }
        if (c == '?') {
            std::cerr << kDiffHelp;
            return kUsage;
        }
        (c == 'a' ? all : json) = true;
    }
    if (argc - optind != 2 || (std::string(argv[optind]) == "-" && std::string(argv[optind + 1]) == "-")) {
        std::cerr << "helvar diff: expected two documents A B (at most one of them \"-\")\n" << kDiffHelp;
        return kUsage;
    }
    DocumentFile a;
    DocumentFile b;
    if (const int failed = readDocumentFile(argv[optind], a, std::cerr)) return failed;
    if (const int failed = readDocumentFile(argv[optind + 1], b, std::cerr)) return failed;
    const Comparison result = compare(a, b, all);
    if (json) printJson(result, a, b); else printText(result, a, b);
    return result.equal() ? kOk : kRefused;
}

}  // namespace helvartool
