// Code pages through the system's own tables; characters a code page lacks become '?'.
#include "common/platform/CodePage.h"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

constexpr uint32_t kSupported[] = {1252, 932, 949, 936};

bool supported(uint32_t codePage) {
    for (uint32_t known : kSupported)
        if (known == codePage) return true;
    return false;
}

// Character by character, each that cannot be read as '?'. The system's own default character
// (U+30FB for 932, for example) would pass for text.
std::wstring toWideByCharacter(UINT codePage, const std::string& in) {
    std::wstring out;
    for (size_t at = 0; at < in.size();) {
        const bool lead = ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(in[at])) != 0;
        const size_t width = lead ? 2 : 1;
        wchar_t pair[2] = {};
        const int got = at + width <= in.size()
                            ? ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data() + at,
                                                    static_cast<int>(width), pair, 2)
                            : 0;
        if (got > 0) out.append(pair, static_cast<size_t>(got));
        else out += L'?';
        at += std::min(width, in.size() - at);
    }
    return out;
}

// Between the code page (or UTF-8) and UTF-16.
bool toWide(UINT codePage, const std::string& in, std::wstring& out) {
    if (in.empty()) return out.clear(), true;
    const int size = static_cast<int>(in.size());
    if (codePage != CP_UTF8 && ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0) <= 0) {
        out = toWideByCharacter(codePage, in);
    } else {
        const int length = ::MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
        if (length <= 0) return false;
        out.assign(static_cast<size_t>(length), L'\0');
        if (::MultiByteToWideChar(codePage, 0, in.data(), size, &out[0], length) != length) return false;
    }
    // The five bytes 1252 leaves undefined come back as C1 controls; they cannot be read, so '?'.
    if (codePage == 1252)
        for (wchar_t& c : out)
            if (c >= 0x80 && c <= 0x9F) c = L'?';
    return true;
}

bool fromWide(UINT codePage, const std::wstring& in, std::string& out) {
    if (in.empty()) return out.clear(), true;
    const int size = static_cast<int>(in.size());
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    // No best fit: a lacked character becomes '?' rather than a look-alike ("é" as "e").
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = ::WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, fallback, nullptr);
    if (length <= 0) return false;
    out.assign(static_cast<size_t>(length), '\0');
    return ::WideCharToMultiByte(codePage, flags, in.data(), size, &out[0], length, fallback, nullptr) == length;
}

bool convert(UINT from, UINT to, const std::string& in, std::string& out) {
    std::wstring wide;
    std::string converted;
    if (!toWide(from, in, wide) || !fromWide(to, wide, converted)) return false;
    out = std::move(converted);
    return true;
}

}  // namespace

bool codePageToUtf8(uint32_t codePage, const std::string& in, std::string& out) {
    return supported(codePage) && convert(codePage, CP_UTF8, in, out);
}

bool utf8ToCodePage(uint32_t codePage, const std::string& in, std::string& out) {
    return supported(codePage) && convert(CP_UTF8, codePage, in, out);
}

}  // namespace platform
