#pragma once
// Pending error information per handle, the null handle's process-wide record included.
#include <map>
#include <mutex>
#include <string>

#include "IviTypes.h"

namespace simivi {

struct PendingError {
    ViStatus primary = 0;
    ViStatus secondary = 0;
    std::string elaboration;
};

class ErrorStoreInterface {
public:
    virtual ~ErrorStoreInterface() = default;
    // Without overwrite a pending error stays; a pending warning gives way to an error only.
    virtual void set(ViSession vi, bool overwrite, const PendingError& error) = 0;
    virtual PendingError peek(ViSession vi) const = 0;
    virtual PendingError take(ViSession vi) = 0;
    virtual void clear(ViSession vi) = 0;
    virtual void clearAll() = 0;
};

class ErrorStore : public ErrorStoreInterface {
public:
    void set(ViSession vi, bool overwrite, const PendingError& error) override;
    PendingError peek(ViSession vi) const override;
    PendingError take(ViSession vi) override;
    void clear(ViSession vi) override;
    void clearAll() override;

private:
    mutable std::mutex mutex_;
    std::map<ViSession, PendingError> errors_;
};

}  // namespace simivi
