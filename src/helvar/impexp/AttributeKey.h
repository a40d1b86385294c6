#pragma once
// Identity of one attribute value in a session or a document: attribute id plus channel name.
#include <cstddef>
#include <functional>
#include <string>

#include "IviTypes.h"

namespace impexp {

struct AttributeKey {
    ViAttr id = 0;
    std::string channel;

    AttributeKey() = default;
    AttributeKey(ViAttr attributeId, std::string channelName) : id(attributeId), channel(std::move(channelName)) {}

    bool operator==(const AttributeKey& other) const { return id == other.id && channel == other.channel; }
    bool operator!=(const AttributeKey& other) const { return !(*this == other); }
};

// Keys have no order; the hash only serves the container's index.
struct AttributeKeyHash {
    std::size_t operator()(const AttributeKey& key) const noexcept {
        return std::hash<std::string>()(key.channel) * 31u + key.id;
    }
};

}  // namespace impexp
