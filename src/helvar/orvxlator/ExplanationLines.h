#pragma once
// Lines of an explanation file as the C run-time's text mode gives them: a carriage return
// before a line feed is dropped, every line keeps its line feed, and a line longer than 1023
// bytes comes as several lines.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvxlator {

class ExplanationLines {
public:
    explicit ExplanationLines(const std::string& content) : content_(content) {}
    // False at the end of the text.
    bool next(std::string& line);

    static constexpr std::size_t kMaximumLine = 1023;

private:
    const std::string& content_;
    std::size_t position_ = 0;
};

// The code of a definition as %i reads it, kept to 32 bits; false when no number is there.
bool parseCode(const char* text, int32_t& code);

}  // namespace orvxlator
