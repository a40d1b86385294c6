#pragma once
// Reads a whole file, byte for byte, into a string. The file is opened in the constructor (which
// throws orverr::Exception when it cannot be) and closed in the destructor; one read per object.
#include <memory>
#include <string>

#include "common/platform/File.h"

namespace impexp {

class TextFileReaderInterface {
public:
    virtual ~TextFileReaderInterface() = default;
    // The complete contents; no terminator added or removed, no encoding checked.
    virtual std::string readAll() = 0;
};

class TextFileReader : public TextFileReaderInterface {
public:
    // path: UTF-8; a null path is refused as an invalid value. Files of 2 GiB or more are refused
    // by readAll with the reading error.
    explicit TextFileReader(const char* path);
    std::string readAll() override;

private:
    [[noreturn]] void raiseReadFailure(const char* message) const;

    std::string path_;
    std::unique_ptr<platform::OpenFile> file_;
};

}  // namespace impexp
