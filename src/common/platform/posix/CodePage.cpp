#include "common/platform/CodePage.h"

#include <iconv.h>

#include <cerrno>

#include "common/platform/posix/CodePageSyscalls.h"

namespace platform {
namespace posix {
namespace {

void* realOpen(const char* to, const char* from) { return ::iconv_open(to, from); }
std::size_t realConvert(void* descriptor, char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
    return ::iconv(static_cast<iconv_t>(descriptor), in, inLeft, out, outLeft);
}
int realClose(void* descriptor) { return ::iconv_close(static_cast<iconv_t>(descriptor)); }

}  // namespace

CodePageSyscalls realCodePageSyscalls() { return CodePageSyscalls{&realOpen, &realConvert, &realClose}; }

CodePageSyscalls& codePageSyscalls() {
    static CodePageSyscalls table = realCodePageSyscalls();
    return table;
}

namespace {

// The code pages by Windows number: iconv name and the lead-byte range of double-byte pages.
struct CodePageInfo {
    uint32_t number;
    const char* iconvName;
    bool (*isLead)(unsigned char byte);  // double-byte pages
};

bool noLead(unsigned char) { return false; }
bool shiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool eucLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

constexpr CodePageInfo kCodePages[] = {
    {1252, "CP1252", &noLead},
    {932, "CP932", &shiftJisLead},
    {949, "CP949", &eucLead},
    {936, "CP936", &eucLead},
};

const CodePageInfo* findCodePage(uint32_t number) {
    for (const CodePageInfo& page : kCodePages)
        if (page.number == number) return &page;
    return nullptr;
}

// Bytes of the malformed or unconvertible character at the start of the input, to skip.
std::size_t utf8CharacterLength(const unsigned char* p, std::size_t left) {
    std::size_t length = 1;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) length = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF) length = 3;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4) length = 4;
    if (length > left) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80) return 1;
    return length;
}

std::size_t codePageCharacterLength(const CodePageInfo& page, const unsigned char* p, std::size_t left) {
    return page.isLead(p[0]) && left >= 2 ? 2 : 1;
}

// Converts, writing '?' for each character that cannot be read or written.
bool convert(const CodePageInfo& page, bool toUtf8, const std::string& in, std::string& out) {
    CodePageSyscalls& calls = codePageSyscalls();
    void* descriptor = toUtf8 ? calls.open("UTF-8", page.iconvName) : calls.open(page.iconvName, "UTF-8");
    if (descriptor == reinterpret_cast<void*>(-1)) return false;
    std::string result(in.size() * 3 + 16, '\0');
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size();
    std::size_t written = 0;
    while (sourceLeft > 0) {
        char* target = &result[written];
        std::size_t targetLeft = result.size() - written;
        const std::size_t done = calls.convert(descriptor, &source, &sourceLeft, &target, &targetLeft);
        const int error = errno;
        written = result.size() - targetLeft;
        if (done != static_cast<std::size_t>(-1)) break;
        if (error == E2BIG) {
            result.resize(result.size() * 2);
            continue;
        }
        if (result.size() - written < 1) result.resize(result.size() * 2);
        result[written++] = '?';
        const auto* bytes = reinterpret_cast<const unsigned char*>(source);
        // An incomplete character at the end, or any other failure: give up the rest as one '?'.
        const std::size_t skip = error != EILSEQ ? sourceLeft
                                 : toUtf8       ? codePageCharacterLength(page, bytes, sourceLeft)
                                                : utf8CharacterLength(bytes, sourceLeft);
        source += skip;
        sourceLeft -= skip;
    }
    calls.close(descriptor);
    result.resize(written);
    out.swap(result);
    return true;
}

}  // namespace
}  // namespace posix

bool codePageToUtf8(uint32_t codePage, const std::string& in, std::string& out) {
    const posix::CodePageInfo* page = posix::findCodePage(codePage);
    return page != nullptr && posix::convert(*page, true, in, out);
}

bool utf8ToCodePage(uint32_t codePage, const std::string& in, std::string& out) {
    const posix::CodePageInfo* page = posix::findCodePage(codePage);
    return page != nullptr && posix::convert(*page, false, in, out);
}

}  // namespace platform
