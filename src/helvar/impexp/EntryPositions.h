#pragma once
// Which entry of a document's "attributes" each record came from. Entries whose session type has no
// value form give no record; only those are noted, so a document without them costs nothing.
#include <cstddef>
#include <vector>

namespace impexp {

class EntryPositions {
public:
    // The entry at entryIndex (0-based, noted in ascending order) gave no record.
    void skipped(std::size_t entryIndex) { skipped_.push_back(entryIndex); }

    // The 0-based index in "attributes" of the entry that gave the record at recordIndex.
    std::size_t entryIndexOf(std::size_t recordIndex) const {
        std::size_t index = recordIndex;
        for (std::size_t skipped : skipped_) {
            if (skipped > index) break;
            ++index;
        }
        return index;
    }

private:
    std::vector<std::size_t> skipped_;
};

}  // namespace impexp
