#pragma once
// Writes a string completely into a file, byte for byte, as a replacement: the new content goes to a
// temporary file beside it that is made durable and then renamed over it, so that after any
// failure or crash the file holds its old or its new content (the new one only when the failure
// came after the rename, at the folder's sync, which is reported too). The temporary file is created in
// the constructor (which throws orverr::Exception when it cannot be) and removed by the
// destructor unless the write completed; one write per object.
#include <cstddef>
#include <memory>
#include <string>

#include "common/platform/File.h"

namespace impexp {

class TextFileWriterInterface {
public:
    virtual ~TextFileWriterInterface() = default;
    // Writes exactly size bytes, makes them durable and puts them in the file's place.
    virtual void writeAll(const char* data, std::size_t size) = 0;
};

class TextFileWriter : public TextFileWriterInterface {
public:
    // path: UTF-8; a null path is refused as an invalid value.
    explicit TextFileWriter(const char* path);
    void writeAll(const char* data, std::size_t size) override;

private:
    [[noreturn]] void raiseWriteFailure(const platform::OsError& error, const char* comment = nullptr) const;

    std::string path_;
    std::unique_ptr<platform::ReplacementFile> file_;
};

}  // namespace impexp
