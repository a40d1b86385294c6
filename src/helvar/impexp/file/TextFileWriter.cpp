#include "helvar/impexp/file/TextFileWriter.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/file/FileTerms.h"

namespace impexp {

TextFileWriter::TextFileWriter(const char* path, platform::FileSystemInterface& fileSystem) {
    if (path == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullPath).raise();
    }
    path_ = path;
    file_ = fileSystem.open(path_, platform::FileMode::WriteBinary);
    if (!file_) {
        ORVERR_THROW(orverr::codes::kErrWritingFile).usage(usage::kFilePath, path_).raise();
    }
}

void TextFileWriter::writeAll(const char* data, std::size_t size) {
    if (data == nullptr && size != 0) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullBuffer).raise();
    }
    const std::size_t written = size == 0 ? 0 : file_->write(data, size);
    if (written != size || !file_->flush()) {
        ORVERR_THROW(orverr::codes::kErrWritingFile).usage(usage::kFilePath, path_).raise();
    }
}

}  // namespace impexp
