#pragma once
// Static descriptions of codes, looked up in the explanation files of an errors folder.
// Status-in/status-out; a description not found is no error (the text stays empty). Texts are
// returned as stored, in the language's code page.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"

namespace orvxlator {

class ExplanationFilesInterface {
public:
    virtual ~ExplanationFilesInterface() = default;
    // "English" ... "ChineseS"; an invalid number is an invalid-parameter status.
    virtual void languageFolderName(uint32_t language, std::string& name, orverr::Status& status) const = 0;
    virtual void findInFile(const std::string& path, int32_t code, std::string& text, orverr::Status& status) const = 0;
    // Every explanation file of one folder.
    virtual void findInFolder(const std::string& folder, int32_t code, std::string& text,
                              orverr::Status& status) const = 0;
    // The language's subfolder of an errors folder, then the errors folder itself.
    virtual void findInErrorsFolder(const std::string& folder, int32_t code, uint32_t language, std::string& text,
                                    orverr::Status& status) const = 0;
};

// The process's lookup over the platform's files.
const ExplanationFilesInterface& explanationFiles();

}  // namespace orvxlator
