#include "helvar/impexp/TextArena.h"

#include <cstring>

namespace impexp {

std::string_view TextArena::store(std::string_view text) {
    if (text.empty()) return std::string_view("", 0);
    const std::size_t needed = text.size() + 1;
    char* place = nullptr;
    if (needed > kBlockSize / 4) {
        // A long text gets a block of its own, so the current block is not abandoned for it.
        std::unique_ptr<char[]> block(new char[needed]);
        place = block.get();
        blocks_.push_back(std::move(block));
    } else {
        if (needed > left_) {
            std::unique_ptr<char[]> block(new char[kBlockSize]);
            blocks_.push_back(std::move(block));
            next_ = blocks_.back().get();
            left_ = kBlockSize;
        }
        place = next_;
        next_ += needed;
        left_ -= needed;
    }
    std::memcpy(place, text.data(), text.size());
    place[text.size()] = '\0';
    return std::string_view(place, text.size());
}

}  // namespace impexp
