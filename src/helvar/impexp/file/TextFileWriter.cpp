#include "helvar/impexp/file/TextFileWriter.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/file/FileTerms.h"

namespace impexp {

TextFileWriter::TextFileWriter(const char* path) {
    if (path == nullptr) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullPath).raise();
    }
    path_ = path;
    platform::OsError error;
    file_ = platform::fileSystem().replace(path_, error);
    if (!file_) raiseWriteFailure(error);
}

// The system's reason (no space, no permission, read-only) lets the user act.
void TextFileWriter::raiseWriteFailure(const platform::OsError& error, const char* comment) const {
    orverr::Raise raise(orverr::codes::kErrWritingFile, __FILE__, __LINE__, ORVERR_COMPONENT);
    raise.usage(usage::kFilePath, path_);
    if (!error.message.empty()) raise.usage(usage::kAdditionalErrorInfo, error.message);
    if (comment != nullptr) raise.comment(comment);
    raise.raise();
}

void TextFileWriter::writeAll(const char* data, std::size_t size) {
    if (data == nullptr && size != 0) {
        ORVERR_THROW(orverr::codes::kInvalidValue).comment(message::kNullBuffer).raise();
    }
    platform::OsError error;
    if (!file_->write(data, size, error)) raiseWriteFailure(error);
    if (!file_->commit(error)) raiseWriteFailure(error, file_->replaced() ? fileterms::kReplacedNotDurable : nullptr);
}

}  // namespace impexp
