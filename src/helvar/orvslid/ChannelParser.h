#pragma once
// Turns a channel string such as "0, 1-3" into channel indices, resolving names through a
// repeated-capability description. Status-in/status-out: parse does nothing when handed an error.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "common/orverr/Status.h"

namespace orvslid {

inline constexpr uint32_t kNoIndex = 0xFFFFFFFFu;

// The instances of one repeated capability.
class iRepCapInfo {
public:
    // Index of the instance named exactly (case-sensitive) name, or kNoIndex.
    virtual uint32_t indexOf(const char* name) const = 0;
    // Name of the instance, or null when index >= count().
    virtual const char* nameOf(uint32_t index) const = 0;
    // The capability's own name.
    virtual const char* capabilityName() const = 0;
    virtual uint32_t count() const = 0;
    virtual ~iRepCapInfo() = default;
};

// Iterates parsed indices; each position can be turned back into its name.
class ChannelIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = uint32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const uint32_t*;
    using reference = const uint32_t&;

    ChannelIterator(const iRepCapInfo* capability, const uint32_t* position)
        : capability_(capability), position_(position) {}

    reference operator*() const { return *position_; }
    // The instance name of the current index (null if the capability does not know it).
    const char* name() const { return capability_->nameOf(*position_); }
    ChannelIterator& operator++() {
        ++position_;
        return *this;
    }
    ChannelIterator operator++(int) {
        ChannelIterator before = *this;
        ++position_;
        return before;
    }
    bool operator==(const ChannelIterator& other) const { return position_ == other.position_; }
    bool operator!=(const ChannelIterator& other) const { return position_ != other.position_; }

private:
    const iRepCapInfo* capability_;
    const uint32_t* position_;
};

class ChannelParser {
public:
    // The capability description must outlive the parser.
    explicit ChannelParser(const iRepCapInfo& capability);
    virtual ~ChannelParser() = default;

    // Clears the list and fills it from text (null: empty list). On error the list holds what
    // was appended before it and must be treated as invalid.
    void parse(const char* text, orverr::Status& status);
    ChannelIterator begin() const;
    ChannelIterator end() const;
    std::size_t size() const { return indices_.size(); }
    const std::vector<uint32_t>& indices() const { return indices_; }
    // The offending item or name of the last failed parse, for diagnostics ("" after success).
    const std::string& offendingText() const { return offending_; }

private:
    const char* parseItem(const char* text, orverr::Status& status);
    const char* readName(const char* text, uint32_t& index, orverr::Status& status);
    bool append(uint32_t index, orverr::Status& status);
    void checkDuplicates(orverr::Status& status);

    const iRepCapInfo* capability_;
    std::vector<uint32_t> indices_;
    std::string offending_;
};

}  // namespace orvslid
