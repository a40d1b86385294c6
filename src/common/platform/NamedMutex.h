#pragma once
// A mutex known by name, so that independent modules of one process (each with its own copy
// of this code) exclude each other. Not recursive on Linux; on Windows the owning thread may lock
// again, and each lock needs its unlock (see docs/platform.md).
#include <memory>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

class NamedMutexInterface {
public:
    virtual ~NamedMutexInterface() = default;
    // Waits without time limit; false with error when the system refused.
    virtual bool lock(OsError& error) = 0;
    virtual void unlock() = 0;
};

class NamedMutexFactoryInterface {
public:
    virtual ~NamedMutexFactoryInterface() = default;
    // Creates or opens the mutex; null with error when the system refuses.
    virtual std::unique_ptr<NamedMutexInterface> open(const std::string& name, OsError& error) = 0;
};

NamedMutexFactoryInterface& namedMutexFactory();

}  // namespace platform
