#include "quorrel/sysapicpp/CallNotes.h"

#include <optional>

namespace sysapicpp {

namespace {

thread_local std::optional<std::string> notes;

}  // namespace

void CallNotes::begin() noexcept {
    try {
        notes.emplace();
    } catch (...) {
        notes.reset();
    }
}

void CallNotes::add(const std::string& text) noexcept {
    if (!notes || text.empty() || notes->find(text) != std::string::npos) return;
    try {
        if (!notes->empty()) *notes += '\n';
        *notes += text;
    } catch (...) {
        // A note is an extra; the call's own result does not depend on it.
    }
}

std::string CallNotes::end() noexcept {
    std::string text;
    if (notes) text.swap(*notes);
    notes.reset();
    return text;
}

}  // namespace sysapicpp
