#pragma once
// Forward iterator over a container's records; dereferencing makes a facade for the current key.
#include <cstddef>
#include <limits>

#include "helvar/impexp/AttributeFacadeFactoryInterface.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"

namespace impexp {

class JSONAttributeIterator {
public:
    static constexpr std::size_t kEnd = std::numeric_limits<std::size_t>::max();

    static JSONAttributeIterator begin(const JSONAttributeContainerInterface& container,
                                       AttributeFacadeFactoryInterface& factory);
    static JSONAttributeIterator end(const JSONAttributeContainerInterface& container,
                                     AttributeFacadeFactoryInterface& factory);

    AttributePtr operator*() const;
    JSONAttributeIterator& operator++();
    bool operator==(const JSONAttributeIterator& other) const;
    bool operator!=(const JSONAttributeIterator& other) const { return !(*this == other); }

private:
    JSONAttributeIterator(const JSONAttributeContainerInterface& container, AttributeFacadeFactoryInterface& factory,
                          std::size_t index);
    void refreshKey();

    const JSONAttributeContainerInterface* container_;
    AttributeFacadeFactoryInterface* factory_;
    std::size_t index_;
    AttributeKey key_;
};

}  // namespace impexp
