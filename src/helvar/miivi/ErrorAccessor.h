#pragma once
// A driver-style error query: the description of a code, and a session's pending error with the
// descriptions of its codes and its elaboration.
#include <cstdint>

#include "helvar/miivi/IviWrapperInterface.h"
#include "helvar/miivi/MxlWrapperInterface.h"

namespace miivi {

class ErrorAccessorInterface {
public:
    virtual ~ErrorAccessorInterface() = default;
    // Writes at most 255 bytes and a NUL into buffer (256 bytes); a null buffer throws.
    virtual void describeCode(uint32_t language, int32_t code, char* buffer, uint32_t flags) = 0;
    // With bufferSize 0: the size needed (0 when there is nothing), the error left pending. With
    // a buffer: 0, the description written and the error cleared. Engine failures are returned.
    virtual int32_t getError(uint32_t language, IviWrapperInterface& wrapper, bool skipParameterErrors,
                             int32_t* errorCode, int32_t bufferSize, char* description, uint32_t flags) = 0;
};

class ErrorAccessor : public ErrorAccessorInterface {
public:
    explicit ErrorAccessor(MxlWrapperInterface& translator) : translator_(&translator) {}
    void describeCode(uint32_t language, int32_t code, char* buffer, uint32_t flags) override;
    int32_t getError(uint32_t language, IviWrapperInterface& wrapper, bool skipParameterErrors, int32_t* errorCode,
                     int32_t bufferSize, char* description, uint32_t flags) override;

    static constexpr uint32_t kDescriptionSize = 256;
    static constexpr const char* kNoDescriptionText = "Could not retrieve error description";

private:
    std::string codeDescription(uint32_t language, int32_t code, uint32_t flags);

    MxlWrapperInterface* translator_;
};

// The process's accessor over the process's translator wrapper.
ErrorAccessorInterface& errorAccessor();

}  // namespace miivi
