#pragma once
// Owns the texts of one container in large blocks: a record keeps a pointer and a length, not a
// string of its own, and no text moves once stored.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace impexp {

class TextArena {
public:
    // A NUL-terminated copy of text that lives as long as the arena.
    std::string_view store(std::string_view text);

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

}  // namespace impexp
