#pragma once
// The status every internal operation reports failure through: a code plus a JSON document
// that says where the failure arose and carries typed details for a later description.
#include <cstdint>

namespace orverr {

struct Status;

// Resizes a status's document buffer; requested 0 frees it.
using ReallocateFunction = bool (*)(Status& status, uint32_t requested);

bool defaultReallocate(Status& status, uint32_t requested);

struct Status {
    int32_t code = 0;
    uint32_t capacity = 0;
    ReallocateFunction reallocate = &defaultReallocate;
    char* json = nullptr;

    Status() = default;
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    // The owner may release explicitly (release()); the destructor makes sure nothing leaks.
    ~Status() { release(); }

    // Code 0 and no buffer.
    void release();
    // The document text, or "" when there is none.
    const char* text() const { return json ? json : ""; }
    bool isError() const { return code < 0; }
    bool isWarning() const { return code > 0; }
};

// Installs newCode when (code == 0 and newCode != 0) or (code > 0 and newCode < 0); an error is
// never overwritten. When installed and a buffer exists, the document is reset to "{}".
bool setCode(Status& status, int32_t newCode);

// setCode with the other's code; when installed, takes over (same reallocate) or copies the
// other's document. Returns what setCode returned.
bool assign(Status& status, Status& other);

// (Re)initialises the buffer from text; false (nothing written) when length + 1 >= capacity.
bool initialiseBuffer(Status& status, const char* text);

// Frees the document and resets the code to 0 (the owner's release).
void resetToSuccess(Status& status);

}  // namespace orverr
