#pragma once
// Writes a string completely into a file (truncated or created), byte for byte. The file is opened
// in the constructor (which throws orverr::Exception when it cannot be) and closed in the
// destructor; one write per object. After a failure the file may hold part of the data or none.
#include <cstddef>
#include <memory>
#include <string>

#include "common/platform/File.h"

namespace impexp {

class TextFileWriterInterface {
public:
    virtual ~TextFileWriterInterface() = default;
    // Writes exactly size bytes and flushes them.
    virtual void writeAll(const char* data, std::size_t size) = 0;
};

class TextFileWriter : public TextFileWriterInterface {
public:
    // path: UTF-8; a null path is refused as an invalid value.
    explicit TextFileWriter(const char* path, platform::FileSystemInterface& fileSystem = platform::fileSystem());
    void writeAll(const char* data, std::size_t size) override;

private:
    std::string path_;
    std::unique_ptr<platform::OpenFileInterface> file_;
};

}  // namespace impexp
