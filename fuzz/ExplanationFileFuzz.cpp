// Explanation files from untrusted bytes: the first four bytes choose the code looked up, the rest
// is the file. Every lookup must end with a description, nothing, or a status; never a crash.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

#include "helvar/orvxlator/ExplanationFiles.h"
#include "helvar/orvxlator/ExplanationLines.h"

namespace {

char gScratch[] = "/tmp/orv-explanation-fuzz-XXXXXX";

void removeScratch() { ::unlink(gScratch); }

// One file, rewritten for every input and removed at exit.
const std::string& scratchFile() {
    static const std::string path = [] {
        const int descriptor = ::mkstemp(gScratch);
        if (descriptor >= 0) ::close(descriptor);
        std::atexit(&removeScratch);
        return std::string(gScratch);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t code = -1074135037;
    if (size >= 4) {
        std::memcpy(&code, data, 4);
        data += 4;
        size -= 4;
    }
    const std::string content(reinterpret_cast<const char*>(data), size);

    // The line splitter alone.
    orvxlator::ExplanationLines lines(content);
    std::string line;
    while (lines.next(line)) {
        if (line.size() > orvxlator::ExplanationLines::kMaximumLine) __builtin_trap();
    }

    std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    for (int32_t wanted : {code, -1, 0}) {
        orverr::Status status;
        std::string text;
        orvxlator::explanationFiles().findInFile(scratchFile(), wanted, text, status);
        // A description never ends in a line end, and a failure leaves none.
        if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) __builtin_trap();
        if (status.isError() && !text.empty()) __builtin_trap();
    }
    return 0;
}
