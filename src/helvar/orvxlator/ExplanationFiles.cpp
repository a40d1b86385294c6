#include "helvar/orvxlator/ExplanationFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/platform/Directory.h"
#include "common/platform/File.h"
#include "helvar/orvxlator/DebugMembers.h"
#include "helvar/orvxlator/ExplanationLines.h"
#include "helvar/orvxlator/Languages.h"

namespace orvxlator {
namespace {

constexpr const char* kHeaderTag = "<?xml version=\"1.0\"";
constexpr const char* kDocumentTag = "<orvdocument>";
constexpr const char* kDocumentEndTag = "</orvdocument>";
constexpr const char* kErrorTag = "<orverror code=\"";
constexpr const char* kErrorEndTag = "</orverror>";
constexpr const char* kCommentTag = "<orvcomment>";
constexpr const char* kCommentEndTag = "</orvcomment>";
// Room the system needs for the folder path plus its wildcard suffix.
constexpr std::size_t kFolderPathLimit = 4096;

// Case-insensitive comparison over the tag's exact length at the start of the line.
bool startsWith(const std::string& line, const char* tag) {
    const std::size_t length = std::strlen(tag);
    if (line.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char a = static_cast<unsigned char>(line[i]);
        const unsigned char b = static_cast<unsigned char>(tag[i]);
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; };
        if (lower(a) != lower(b)) return false;
    }
    return true;
}

bool isExplanationFile(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string extension = name.substr(dot + 1);
    return extension == "txt" || extension == "err";
}

void removeTrailingLineEnds(std::string& text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
}

bool readFile(const std::string& path, std::string& content) {
    platform::OsError error;
    std::unique_ptr<platform::OpenFile> file = platform::fileSystem().open(
        platform::directory().matchCase(path), platform::FileMode::ReadBinary, error);
    if (!file) return false;
    char buffer[16384];
    for (;;) {
        std::size_t read = 0;
        if (!file->read(buffer, sizeof buffer, read, error)) return false;
        content.append(buffer, read);
        if (read < sizeof buffer) return true;
    }
}

// Reads one definition whose opening line is given. True when the lookup ends here (the code
// was found or the file is bad).
bool readDefinition(const std::string& opening, ExplanationLines& lines, int32_t code, std::string& text,
                    orverr::Status& status) {
    int32_t defined = 0;
    if (!parseCode(opening.c_str() + std::strlen(kErrorTag), defined)) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"debug", "Could not successfully read the status data!"}, {"sscanf", int32_t{0}}});
        return true;
    }
    const bool match = defined == code;
    std::string line;
    while (lines.next(line)) {
        if (startsWith(line, kErrorEndTag)) {
            if (!match) return false;
            removeTrailingLineEnds(text);
            return true;
        }
        if (match) text += line;
    }
    text.clear();
    addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
              {{"debug", "Bad explanation file. Could not find the end of the status code definition !"}});
    return true;
}

}  // namespace

void ExplanationFiles::languageFolderName(uint32_t language, std::string& name, orverr::Status& status) const {
    name.clear();
    if (status.isError()) return;
    const Language* found = findLanguage(language);
    if (!found) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter), kDebugObject,
                  {{"gxerrorsparser", "invalid language"}, {"lang", language}});
        return;
    }
    name = found->folder;
}

void ExplanationFiles::findInFile(const std::string& path, int32_t code, std::string& text,
                                  orverr::Status& status) const {
    text.clear();
    if (status.isError()) return;
    std::string content;
    if (!readFile(path, content)) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"debug", "Could not open status explanations file"}, {"path", path}});
        return;
    }
    ExplanationLines lines(content);
    std::string line;
    if (!lines.next(line) || !startsWith(line, kHeaderTag)) return;
    if (!lines.next(line) || !startsWith(line, kDocumentTag)) return;
    while (lines.next(line)) {
        if (startsWith(line, kDocumentEndTag)) return;
        if (startsWith(line, kErrorTag)) {
            if (readDefinition(line, lines, code, text, status)) return;
            continue;
        }
        if (startsWith(line, kCommentTag)) {
            while (!startsWith(line, kCommentEndTag) && lines.next(line)) {
            }
            continue;
        }
        if (line[0] == '\0') {
            addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                      {{"debug", "Bad explanation file. Unidentified section heading !"}});
            return;
        }
    }
}

void ExplanationFiles::findInFolder(const std::string& folder, int32_t code, std::string& text,
                                    orverr::Status& status) const {
    text.clear();
    if (status.isError()) return;
    std::vector<platform::DirectoryEntry> entries;
    platform::OsError error = platform::errnoError(ENAMETOOLONG);
    if (folder.size() + 2 >= kFolderPathLimit || !platform::directory().list(folder, entries, error)) {
        addErrnoError(addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                                {{"debug", "open dir failed"}, {"path", folder}}),
                      error);
        return;
    }
    for (const platform::DirectoryEntry& entry : entries) {
        if (entry.infoError.code != 0) {
            addErrnoError(addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                                    {{"orvxlator", "get file info failed"}, {"path", folder}}),
                          entry.infoError);
            return;
        }
        if (!entry.regularFile || !isExplanationFile(entry.name)) continue;
        findInFile(folder + "\\" + entry.name, code, text, status);
        if (!text.empty() || status.isError()) return;
    }
}

void ExplanationFiles::findInErrorsFolder(const std::string& folder, int32_t code, uint32_t language,
                                          std::string& text, orverr::Status& status) const {
    text.clear();
    std::string name;
    languageFolderName(language, name, status);
    if (status.isError()) return;
    findInFolder(folder + "\\" + name, code, text, status);
    if (text.empty() && !status.isError()) findInFolder(folder, code, text, status);
}

bool parseCode(const char* text, int32_t& code) {
    // As %i reads it (sign, then decimal, 0x hexadecimal or 0 octal), but always in 64 bits and
    // kept to the low 32 bits, so that 0xBFFA0003 and -1074135037 are the same code everywhere.
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long magnitude = std::strtoull(p, &end, 0);
    if (end == p) return false;
    const uint64_t value = negative ? uint64_t{0} - static_cast<uint64_t>(magnitude) : static_cast<uint64_t>(magnitude);
    code = static_cast<int32_t>(static_cast<uint32_t>(value & 0xFFFFFFFFu));
    return true;
}

const ExplanationFiles& explanationFiles() {
    static ExplanationFiles instance;
    return instance;
}

}  // namespace orvxlator
