#pragma once
// The description languages by number: three-letter code, errors folder name and Windows code
// page. Numbers 6 and above are invalid.
#include <cstdint>

namespace orvxlator {

struct Language {
    const char* code;    // "eng" ...
    const char* folder;  // "English" ...
    uint32_t codePage;
};

inline constexpr Language kLanguages[] = {
    {"eng", "English", 1252}, {"fra", "French", 1252}, {"deu", "German", 1252},
    {"jpn", "Japanese", 932}, {"kor", "Korean", 949},  {"chs", "ChineseS", 936},
};
inline constexpr uint32_t kLanguageCount = sizeof(kLanguages) / sizeof(kLanguages[0]);

// Null for an invalid number.
inline const Language* findLanguage(uint32_t language) {
    return language < kLanguageCount ? &kLanguages[language] : nullptr;
}

// The language word handed to translators: the number in bits 0-7, the "ade" hint in bits 8-11.
inline constexpr uint32_t languageOf(uint32_t word) { return word & 0xFFu; }
inline constexpr uint32_t adeOf(uint32_t word) { return (word >> 8) & 0xFu; }

}  // namespace orvxlator
