#include "helvar/orvslid/ChannelParser.h"

#include <algorithm>
#include <new>

#include "common/orverr/Raise.h"

namespace orvslid {
namespace {

// C-locale classes, independent of the process locale.
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!' || c == '[' ||
           c == ']' || c == '_';
}

bool isRangeMark(char c) {
    return c == '-' || c == ':';
}

const char* skipSpace(const char* text) {
    while (isSpace(*text)) ++text;
    return text;
}

// The item or name that failed, for diagnostics: up to the next comma.
std::string itemAt(const char* text) {
    const char* end = text;
    while (*end != '\0' && *end != ',') ++end;
    return std::string(text, end);
}

}  // namespace

ChannelParser::ChannelParser(const iRepCapInfo& capability) : capability_(&capability) {}

ChannelIterator ChannelParser::begin() const {
    return ChannelIterator(capability_, indices_.data());
}

ChannelIterator ChannelParser::end() const {
    return ChannelIterator(capability_, indices_.data() + indices_.size());
}

void ChannelParser::parse(const char* text, orverr::Status& status) {
    if (status.isError()) return;
    indices_.clear();
    offending_.clear();
    if (text == nullptr) return;
    const char* p = skipSpace(text);
    while (*p != '\0') {
        p = parseItem(p, status);
        if (status.isError()) return;
        p = skipSpace(p);
        if (*p == ',') {
            ++p;
        } else if (*p != '\0') {
            offending_ = itemAt(p);
            ORVERR_RAISE_INTO(status, orverr::codes::kErrBadChannelName).elaborations();
            return;
        }
        p = skipSpace(p);
    }
    checkDuplicates(status);
}

const char* ChannelParser::readName(const char* text, uint32_t& index, orverr::Status& status) {
    if (!isNameChar(*text)) {
        offending_ = itemAt(text);
        ORVERR_RAISE_INTO(status, orverr::codes::kErrBadChannelName).elaborations();
        return text;
    }
    const char* end = text;
    while (isNameChar(*end)) ++end;
    std::string name;
    try {
        name.assign(text, end);
    } catch (const std::bad_alloc&) {
        ORVERR_RAISE_INTO(status, orverr::codes::kErrOutOfMemory).elaborations();
        return end;
    }
    index = capability_->indexOf(name.c_str());
    if (index == kNoIndex) {
        offending_ = name;
        ORVERR_RAISE_INTO(status, orverr::codes::kErrUnknownChannelName).elaborations();
    }
    return end;
}

const char* ChannelParser::parseItem(const char* text, orverr::Status& status) {
    uint32_t first = kNoIndex;
    const char* p = readName(text, first, status);
    if (status.isError()) return p;
    p = skipSpace(p);
    if (!isRangeMark(*p)) {
        append(first, status);
        return p;
    }
    p = skipSpace(p + 1);
    uint32_t last = kNoIndex;
    p = readName(p, last, status);
    if (status.isError()) return p;
    if (last >= first) {
        for (uint32_t index = first;; ++index) {
            if (!append(index, status) || index == last) break;
        }
    } else {
        for (uint32_t index = first;; --index) {
            if (!append(index, status) || index == last) break;
        }
    }
    return p;
}

bool ChannelParser::append(uint32_t index, orverr::Status& status) {
    try {
        if (indices_.size() == indices_.capacity()) {
            const size_t capacity = indices_.capacity();
            indices_.reserve(std::max<size_t>({8, capacity + capacity / 2, indices_.size() + 1}));
        }
        indices_.push_back(index);
        return true;
    } catch (const std::bad_alloc&) {
        ORVERR_RAISE_INTO(status, orverr::codes::kErrOutOfMemory).elaborations();
        return false;
    } catch (const std::length_error&) {
        ORVERR_RAISE_INTO(status, orverr::codes::kErrOutOfMemory).elaborations();
        return false;
    }
}

void ChannelParser::checkDuplicates(orverr::Status& status) {
    if (indices_.empty()) return;
    std::vector<bool> seen;
    try {
        seen.assign(capability_->count(), false);
    } catch (const std::bad_alloc&) {
        ORVERR_RAISE_INTO(status, orverr::codes::kErrOutOfMemory).elaborations();
        return;
    }
    for (uint32_t index : indices_) {
        // An index the description does not count cannot be flagged; it is not a duplicate of
        // anything this check can see, but it must not be read past the flags either.
        if (index >= seen.size()) continue;
        if (seen[index]) {
            const char* name = capability_->nameOf(index);
            offending_ = name ? name : "";
            ORVERR_RAISE_INTO(status, orverr::codes::kErrDuplicateChannelString).elaborations();
            return;
        }
        seen[index] = true;
    }
}

}  // namespace orvslid
