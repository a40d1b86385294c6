#include "helvar/impexp/JsonPointerText.h"

namespace impexp {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
           c == '_';
}

}  // namespace

std::string toUriFragment(const rapidjson::Pointer& pointer) {
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    const rapidjson::Pointer::Token* tokens = pointer.GetTokens();
    for (std::size_t i = 0; i < pointer.GetTokenCount(); ++i) {
        text += '/';
        for (rapidjson::SizeType j = 0; j < tokens[i].length; ++j) {
            const auto c = static_cast<unsigned char>(tokens[i].name[j]);
            if (c == '~') {
                text += "~0";
            } else if (c == '/') {
                text += "~1";
            } else if (isUnreserved(c)) {
                text += static_cast<char>(c);
            } else {
                text += '%';
                text += hexDigits[c >> 4];
                text += hexDigits[c & 15];
            }
        }
    }
    return text;
}

}  // namespace impexp
