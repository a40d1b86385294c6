#include "helvar/impexp/file/TextFileReader.h"

#include <cstdint>
#include <limits>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/file/FileTerms.h"

namespace impexp {

TextFileReader::TextFileReader(const char* path) {
    if (path == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullPath).raise();
    }
    path_ = path;
    platform::OsError error;
    file_ = platform::fileSystem().open(path_, platform::FileMode::ReadBinary, error);
    if (!file_) {
        // The system's reason (missing, a folder, a pipe, no permission) lets the user act.
        orverr::Raise raise(orverr::codes::kErrReadingFile, __FILE__, __LINE__, ORVERR_COMPONENT);
        raise.usage(usage::kFilePath, path_);
        if (!error.message.empty()) raise.usage(usage::kAdditionalErrorInfo, error.message);
        raise.raise();
    }
}

void TextFileReader::raiseReadFailure(const char* message) const {
    ORVERR_THROW(orverr::codes::kErrReadingFile).usage(usage::kFilePath, path_).comment(message).raise();
}

std::string TextFileReader::readAll() {
    platform::OsError error;
    int64_t size = 0;
    if (!file_->size(size, error)) {
        raiseReadFailure(fileterms::kFailedToRead);
    }
    if (size > std::numeric_limits<int32_t>::max()) {
        raiseReadFailure(fileterms::kFileTooLarge);
    }
    std::string contents(static_cast<size_t>(size), '\0');
    size_t count = 0;
    if (!file_->read(contents.data(), contents.size(), count, error) || count != contents.size()) {
        raiseReadFailure(fileterms::kFailedToRead);
    }
    return contents;
}

}  // namespace impexp
