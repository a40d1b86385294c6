#pragma once
// The description languages by number: three-letter code, errors folder name, Windows code page,
// the separator between a label and its value in reports, and the two-letter name users type.
// Numbers 6 and above are invalid.
#include <cstdint>
#include <cstring>

namespace orvxlator {

struct Language {
    const char* code;    // "eng" ...
    const char* folder;  // "English" ...
    uint32_t codePage;
    const char* labelSeparator;  // UTF-8; French typography sets the colon apart
    const char* tag;             // "en" ...
};

inline constexpr Language kLanguages[] = {
    {"eng", "English", 1252, ": ", "en"}, {"fra", "French", 1252, " : ", "fr"},
    {"deu", "German", 1252, ": ", "de"},  {"jpn", "Japanese", 932, ": ", "ja"},
    {"kor", "Korean", 949, ": ", "ko"},   {"chs", "ChineseS", 936, ": ", "zh"},
};
inline constexpr uint32_t kLanguageCount = sizeof(kLanguages) / sizeof(kLanguages[0]);

// Null for an invalid number.
inline const Language* findLanguage(uint32_t language) {
    return language < kLanguageCount ? &kLanguages[language] : nullptr;
}

// Null for a code not in the table ("zzz" ...).
inline const Language* findLanguageByCode(const char* code) {
    for (const Language& language : kLanguages)
        if (std::strcmp(language.code, code) == 0) return &language;
    return nullptr;
}

// The language word handed to translators: the number in bits 0-7, the "ade" hint in bits 8-11.
inline constexpr uint32_t languageOf(uint32_t word) { return word & 0xFFu; }
inline constexpr uint32_t adeOf(uint32_t word) { return (word >> 8) & 0xFu; }

}  // namespace orvxlator
