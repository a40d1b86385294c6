#pragma once
// Static descriptions of codes, looked up in the explanation files of an errors folder.
// Status-in/status-out; a description not found is no error (the text stays empty). Texts are
// returned as stored, in the language's code page.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"

namespace orvxlator {

class ExplanationFiles {
public:
    // "English" ... "ChineseS"; an invalid number is an invalid-parameter status.
    void languageFolderName(uint32_t language, std::string& name, orverr::Status& status) const;
    void findInFile(const std::string& path, int32_t code, std::string& text, orverr::Status& status) const;
    // Every explanation file of one folder.
    void findInFolder(const std::string& folder, int32_t code, std::string& text, orverr::Status& status) const;
    // The language's subfolder of an errors folder, then the errors folder itself.
    void findInErrorsFolder(const std::string& folder, int32_t code, uint32_t language, std::string& text,
                            orverr::Status& status) const;
};

// The process's lookup over the platform's files.
const ExplanationFiles& explanationFiles();

}  // namespace orvxlator
