#include "helvar/orvmxl/TextCut.h"

#include "helvar/orvmxl/TranslateFlags.h"
#include "helvar/orvxlator/Languages.h"

namespace orvmxl {
namespace {

bool isLeadByte(unsigned char c, uint32_t codePage) {
    switch (codePage) {
        case 932: return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        case 936:
        case 949: return c >= 0x81 && c <= 0xFE;
        default: return false;
    }
}

}  // namespace

std::size_t characterStart(const std::string& text, std::size_t position, uint32_t codePage) {
    if (position >= text.size()) return position;
    if (codePage == kUtf8) {
        while (position > 0 && (static_cast<unsigned char>(text[position]) & 0xC0) == 0x80) --position;
        return position;
    }
    // A trail byte may look like a lead byte: walk whole characters from the start.
    std::size_t start = 0;
    while (start < position) {
        const std::size_t next = start + (isLeadByte(static_cast<unsigned char>(text[start]), codePage) ? 2 : 1);
        if (next > position) return start;
        start = next;
    }
    return start;
}

std::string cutText(const std::string& text, std::size_t length, uint32_t codePage) {
    if (text.size() <= length) return text;
    return text.substr(0, characterStart(text, length, codePage));
}

uint32_t deliveryCodePage(uint32_t language, uint32_t flags) {
    if (!(flags & kLocalCodePage)) return kUtf8;
    const orvxlator::Language* found = orvxlator::findLanguage(language);
    return found ? found->codePage : kUtf8;
}

}  // namespace orvmxl
