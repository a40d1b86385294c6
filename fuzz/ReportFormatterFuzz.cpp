// The report formatter on untrusted status documents and dynamic descriptions, nested errors
// included: the input is the document, a NUL byte, then what the translator answers.
#include <cstdint>
#include <string>

#include "support/FakeSession.h"
#include "helvar/orvxlator/ReportFormatter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string document = input.substr(0, split);
    testing_xlator::FakeSession session;
    session.dynamic = split == std::string::npos ? std::string() : input.substr(split + 1);
    for (uint32_t flags : {15u, 11u, 3u}) {
        orverr::Status status;
        std::string text;
        orvxlator::json1::translateErrStatusToRawText(session, -1, document.c_str(), 0, flags, text, status);
    }
    return 0;
}
