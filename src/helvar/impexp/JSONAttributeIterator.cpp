#include "helvar/impexp/JSONAttributeIterator.h"

#include "common/orverr/Raise.h"

namespace impexp {

JSONAttributeIterator::JSONAttributeIterator(const JSONAttributeContainerInterface& container,
                                             AttributeFacadeFactoryInterface& factory, std::size_t index)
    : container_(&container), factory_(&factory), index_(index) {
    refreshKey();
}

JSONAttributeIterator JSONAttributeIterator::begin(const JSONAttributeContainerInterface& container,
                                                   AttributeFacadeFactoryInterface& factory) {
    return JSONAttributeIterator(container, factory, container.size() == 0 ? kEnd : 0);
}

JSONAttributeIterator JSONAttributeIterator::end(const JSONAttributeContainerInterface& container,
                                                 AttributeFacadeFactoryInterface& factory) {
    return JSONAttributeIterator(container, factory, kEnd);
}

void JSONAttributeIterator::refreshKey() {
    key_ = index_ == kEnd ? AttributeKey() : container_->keyAt(index_);
}

AttributePtr JSONAttributeIterator::operator*() const {
    if (index_ == kEnd) {
        ORVERR_THROW(orverr::codes::kOutOfRange).raise();
    }
    return factory_->createForKey(key_);
}

JSONAttributeIterator& JSONAttributeIterator::operator++() {
    if (index_ == kEnd) {
        ORVERR_THROW(orverr::codes::kOutOfRange).raise();
    }
    ++index_;
    if (index_ >= container_->size()) {
        index_ = kEnd;
    }
    refreshKey();
    return *this;
}

bool JSONAttributeIterator::operator==(const JSONAttributeIterator& other) const {
    return container_ == other.container_ && factory_ == other.factory_ && index_ == other.index_ &&
           key_ == other.key_;
}

}  // namespace impexp
