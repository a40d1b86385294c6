#include "common/platform/posix/RegistryFile.h"

#include "common/platform/File.h"
#include "common/platform/Utf8.h"
#include "common/platform/WideText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sstream>

namespace platform {
namespace posix {
namespace {

constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr const char* kSoftware = "SOFTWARE";
constexpr const char* kWow64Node = "WOW6432NODE";

// What the registry itself allows; keys and values beyond are ignored like malformed lines.
constexpr size_t kMaxKeyNameCharacters = 255;
constexpr size_t kMaxKeyDepth = 512;
constexpr size_t kMaxValueNameCharacters = 16383;
constexpr size_t kMaxValueDataBytes = size_t{1} << 20;

size_t characters(const std::string& text, size_t from, size_t to) {
    size_t count = 0;
    for (size_t i = from; i < to; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++count;
    }
    return count;
}

bool withinKeyLimits(const std::string& key) {
    size_t depth = 0;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(key.find('\\', start), key.size());
        if (characters(key, start, end) > kMaxKeyNameCharacters || ++depth > kMaxKeyDepth) return false;
        if (end == key.size()) return true;
        start = end + 1;
    }
}

char foldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string fold(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) c = foldCase(c);
    return folded;
}

// Folded, without leading or trailing separators and with single separators between parts.
std::string normaliseKey(const std::string& key) {
    std::string normal;
    for (char c : key) {
        if (c == '\\') {
            if (!normal.empty() && normal.back() != '\\') normal += '\\';
        } else {
            normal += foldCase(c);
        }
    }
    if (!normal.empty() && normal.back() == '\\') normal.pop_back();
    return normal;
}

void trimRight(std::string& line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
}

size_t skipBlanks(const std::string& line, size_t at) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at;
}

// A quoted string with \\ and \" escapes starting at line[at] == '"'; npos when unterminated.
size_t readQuoted(const std::string& line, size_t at, std::string& text) {
    text.clear();
    for (size_t i = at + 1; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            text += line[++i];
        } else if (line[i] == '"') {
            return i + 1;
        } else {
            text += line[i];
        }
    }
    return std::string::npos;
}


// Registry Editor saves its exports as UTF-16LE with a byte-order mark; those are read as UTF-8.
std::string toUtf8(const std::string& text) {
    if (text.size() < 2 || static_cast<unsigned char>(text[0]) != 0xFF || static_cast<unsigned char>(text[1]) != 0xFE) {
        return text;
    }
    std::string out;
    out.reserve(text.size() / 2);
    const auto unitAt = [&text](size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[2 + 2 * k])) |
               (static_cast<char32_t>(static_cast<unsigned char>(text[3 + 2 * k])) << 8);
    };
    const size_t count = (text.size() - 2) / 2;  // a trailing odd byte is no unit
    for (size_t i = 0; i < count;) appendUtf8(out, decodeUtf16(unitAt, count, i));
    return out;
}

}  // namespace

RegistryFile RegistryFile::parse(const std::string& text) {
    RegistryFile file;
    std::istringstream lines(toUtf8(text));
    std::string line;
    std::string section;  // folded key of the current section; empty when outside local machine
    bool continued = false;
    bool first = true;
    while (std::getline(lines, line)) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        first = false;
        trimRight(line);
        // Lines of a multi-line (hex) value end with a backslash.
        if (continued) {
            continued = !line.empty() && line.back() == '\\';
            continue;
        }
        const size_t start = skipBlanks(line, 0);
        if (start == line.size() || line[start] == ';') continue;
        if (line[start] == '[') {
            section.clear();
            if (line.back() != ']') continue;
            // A section of another root, or one that deletes a key ("[-HKEY...]"), holds nothing here.
            const std::string folded = normaliseKey(line.substr(start + 1, line.size() - start - 2));
            const std::string root = kLocalMachine;
            if (folded.compare(0, root.size() + 1, root + "\\") == 0 && withinKeyLimits(folded.substr(root.size() + 1))) {
                section = folded.substr(root.size() + 1);
                file.addKey(section);
            }
            continue;
        }
        if (section.empty()) continue;
        std::string name;
        size_t at = start;
        if (line[at] == '@') {
            ++at;
        } else if (line[at] == '"') {
            at = readQuoted(line, at, name);
            if (at == std::string::npos || characters(name, 0, name.size()) > kMaxValueNameCharacters) continue;
        } else {
            continue;
        }
        at = skipBlanks(line, at);
        if (at >= line.size() || line[at] != '=') continue;
        at = skipBlanks(line, at + 1);
        if (at < line.size() && line[at] == '"') {
            std::string data;
            if (readQuoted(line, at, data) != std::string::npos && data.size() <= kMaxValueDataBytes) {
                file.values_[section][fold(name)] = data;
            }
        } else {
            // Values of other types are not strings; a deleted value ("-") removes it.
            file.values_[section].erase(fold(name));
            continued = line.back() == '\\';
        }
    }
    return file;
}

// Only the key itself is kept: storing every parent path would take memory quadratic in the depth.
void RegistryFile::addKey(const std::string& key) { keys_.insert(key); }

bool RegistryFile::hasKey(const std::string& key) const {
    const std::string normal = normaliseKey(key);
    if (keys_.count(normal) != 0) return true;
    // A parent of a stored key: the first stored key at or after "<key>\" starts with it.
    const std::string parent = normal + "\\";
    auto next = keys_.lower_bound(parent);
    return next != keys_.end() && next->compare(0, parent.size(), parent) == 0;
}

const std::string* RegistryFile::value(const std::string& key, const std::string& name) const {
    auto found = values_.find(normaliseKey(key));
    if (found == values_.end()) return nullptr;
    auto data = found->second.find(fold(name));
    return data == found->second.end() ? nullptr : &data->second;
}

std::string registry32Path(const std::string& key) {
    const std::string folded = normaliseKey(key);
    const std::string software = kSoftware;
    const std::string prefix = software + "\\";
    if (folded.compare(0, prefix.size(), prefix) != 0 ||
        folded.compare(prefix.size(), std::string(kWow64Node).size() + 1, std::string(kWow64Node) + "\\") == 0 ||
        folded == prefix + kWow64Node) {
        return folded;
    }
    return prefix + kWow64Node + folded.substr(software.size());
}

namespace {

// The Windows errors a registry file reports, with the system's message texts.
struct RegistryError {
    int32_t code;
    const char* message;
};
constexpr RegistryError kFileNotFound{2, "The system cannot find the file specified."};
constexpr RegistryError kAccessDenied{5, "Access is denied."};
// A registry hive file of the standard format stays well below this.
constexpr uint64_t kMaxRegistryFileBytes = uint64_t{256} << 20;

void setError(OsError& error, const RegistryError& registryError) {
    error.code = registryError.code;
    error.message = registryError.message;
    error.missing = false;
}

class FileRegistryKey : public RegistryKeyInterface {
public:
    FileRegistryKey(std::shared_ptr<const RegistryFile> file, std::string key)
        : file_(std::move(file)), key_(std::move(key)) {}

    bool queryString(const std::string& valueName, std::string& value, OsError& error) const override {
        const std::string* data = file_->value(key_, valueName);
        if (data == nullptr) {
            setError(error, kFileNotFound);
            return false;
        }
        value = *data;
        return true;
    }

private:
    std::shared_ptr<const RegistryFile> file_;
    std::string key_;
};

bool loadRegistryFile(const std::string& path, std::shared_ptr<const RegistryFile>& file, OsError& error) {
    OsError reason;
    std::unique_ptr<OpenFile> stream = fileSystem().open(path, FileMode::ReadBinary, reason);
    if (!stream) {
        if (reason.missing || reason.code == ENOTDIR) {
            file = std::make_shared<RegistryFile>();
            return true;
        }
        setError(error, kAccessDenied);
        return false;
    }
    int64_t size = 0;
    if (!stream->size(size, reason) || static_cast<uint64_t>(size) > kMaxRegistryFileBytes) {
        setError(error, kAccessDenied);
        return false;
    }
    std::string text(static_cast<size_t>(size), '\0');
    size_t count = 0;
    if (!stream->read(text.data(), text.size(), count, reason) || count != text.size()) {
        setError(error, kAccessDenied);
        return false;
    }
    file = std::make_shared<RegistryFile>(RegistryFile::parse(text));
    return true;
}

}  // namespace

std::unique_ptr<RegistryKeyInterface> openRegistryFileKey(const std::string& path, const std::string& subkey,
                                                          RegistryView view, OsError& error) {
    std::shared_ptr<const RegistryFile> file;
    if (!loadRegistryFile(path, file, error)) return nullptr;
    const std::string key = view == RegistryView::Registry32 ? registry32Path(subkey) : subkey;
    if (!file->hasKey(key)) {
        setError(error, kFileNotFound);
        return nullptr;
    }
    return std::make_unique<FileRegistryKey>(std::move(file), key);
}

}  // namespace posix
}  // namespace platform
