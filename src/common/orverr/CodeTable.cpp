#include "common/orverr/CodeTable.h"

namespace orverr {
namespace {

const ErrorCode* const kTable[] = {
    &codes::kInvalidAttributeValue, &codes::kAttributeTypeMismatch, &codes::kNullParameter,
    &codes::kSessionNotRegistered, &codes::kInvalidValue, &codes::kErrReadingFile, &codes::kErrWritingFile,
    &codes::kErrUnknownChannelName, &codes::kErrDuplicateChannelString, &codes::kErrBadChannelName,
    &codes::kErrOutOfMemory, &codes::kIncompatibleSessionChannels, &codes::kInvalidVersionFormat,
    &codes::kLibraryOutOfDate, &codes::kIncompatibleModelNumber, &codes::kBufferTooSmall,
    &codes::kCorruptedFormat, &codes::kInvalidSchema, &codes::kNullPtr, &codes::kOutOfRange,
    &codes::kSoftwareFault, &codes::kMemoryFull, &codes::kSoftwareFaultInternal, &codes::kInvalidParameter,
    &codes::kResourceNotFound,
};

}  // namespace

const ErrorCode* findErrorCode(int32_t code) {
    for (const ErrorCode* entry : kTable) {
        if (entry->code == code && entry->constant) return entry;
    }
    return nullptr;
}

}  // namespace orverr
