#include "helvar/orvxlator/ExplanationLines.h"

namespace orvxlator {

bool ExplanationLines::next(std::string& line) {
    line.clear();
    if (position_ >= content_.size()) return false;
    while (position_ < content_.size() && line.size() < kMaximumLine) {
        const char c = content_[position_++];
        if (c == '\r' && position_ < content_.size() && content_[position_] == '\n') continue;
        line += c;
        if (c == '\n') break;
    }
    return true;
}

}  // namespace orvxlator
