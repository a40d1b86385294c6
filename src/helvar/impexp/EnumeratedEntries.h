#pragma once
// The entries of an export: each enumerated value the user has set, read from the engine as the
// writer reaches it and written at once, with no record kept between the read and the text.
#include "helvar/impexp/AttributeEnumeration.h"
#include "helvar/impexp/document/DocumentModel.h"

namespace impexp {

class EnumeratedEntries : public DocumentEntriesInterface {
public:
    // The enumeration holds distinct keys and outlives the render.
    explicit EnumeratedEntries(const AttributeEnumeration& enumeration) : enumeration_(enumeration) {}

    // All enumerated values, set or not: an upper bound, which is all a sizing hint needs.
    std::size_t entryCount() const override { return enumeration_.size(); }
    void forEachEntry(DocumentEntryVisitorInterface& visitor) const override;

private:
    const AttributeEnumeration& enumeration_;
};

}  // namespace impexp
