#pragma once
// Faults found during a host call that did not fail it (a device's debug settings shown at their
// defaults, say): collected on the calling thread and handed to the host as the call's COM error
// information, beside its success code. Notes made on other threads (workers, the monitor) are
// not collected: the calls they serve have no host waiting.
#include <string>

namespace sysapicpp {

class CallNotes {
public:
    // Starts collecting for a host call on this thread, dropping what an earlier call left.
    static void begin() noexcept;
    // Adds one note, when this thread collects; a note already there is not repeated.
    static void add(const std::string& text) noexcept;
    // The notes of this thread's call, one a line, and stops collecting.
    static std::string end() noexcept;
};

}  // namespace sysapicpp
