#pragma once
// A file shared by every process on the machine: opened with retries, serialised by a critical
// section inside the object and an exclusive operating-system lock across objects and processes.
#include <string>

namespace nORVMISysAPICommon100 {

class LockableFileInterface {
public:
    virtual ~LockableFileInterface() = default;

    // Opens the file for reading and writing; with create, a missing file is created first.
    virtual void open(const std::string& path, bool create) = 0;
    // Critical section first, then the whole-file lock; blocks until both are held.
    virtual void lock() = 0;
    // Reverse order of lock.
    virtual void unlock() = 0;
    virtual bool isLocked() const = 0;
    // The whole content.
    virtual std::string read() = 0;
    // Replaces the whole content (the file ends after text) and commits it to disk.
    virtual void write(const std::string& text) = 0;
    virtual void close() = 0;
};

}  // namespace nORVMISysAPICommon100
