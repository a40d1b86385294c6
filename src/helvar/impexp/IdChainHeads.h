#pragma once
// Maps an attribute id to a record position in one flat open-addressing table: adding an id costs
// no allocation of its own, only an occasional doubling of the table.
#include <cstddef>
#include <vector>

#include "IviTypes.h"

namespace impexp {

class IdChainHeads {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The position stored for id, or kNone.
    std::size_t find(ViAttr id) const;
    // The position stored for id, added as kNone when the id is new. Valid until the next call.
    std::size_t& slot(ViAttr id);
    // Room for count ids without a further rehash.
    void reserve(std::size_t count);

private:
    struct Entry {
        ViAttr id = 0;
        bool used = false;
        std::size_t head = kNone;
    };

    // Where id is, or the free entry that ends its probe run; the table is never full.
    std::size_t probe(ViAttr id) const;
    void rehash(std::size_t size);

    std::vector<Entry> entries_;
    std::size_t used_ = 0;
};

}  // namespace impexp
