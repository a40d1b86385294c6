// A kernel mutex in the session's namespace. Unlike the Linux lock files, a Win32 mutex is
// recursive for its owning thread: a second lock() on the same thread succeeds at once (and needs
// its own unlock()); only other threads and processes wait. A mutex whose owner ended without
// releasing it is abandoned, and the next waiter gets it: that counts as acquired.
#include "common/platform/NamedMutex.h"

#include "common/platform/WideText.h"
#include "common/platform/win32/NamedMutexSyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform {
namespace win32 {

NamedMutexSyscalls realNamedMutexSyscalls() {
    return NamedMutexSyscalls{&::CreateMutexW, &::WaitForSingleObject, &::ReleaseMutex, &::CloseHandle,
                              &::GetLastError};
}

NamedMutexSyscalls& namedMutexSyscalls() {
    static NamedMutexSyscalls table = realNamedMutexSyscalls();
    return table;
}

namespace {

// Kernel object names may not contain '\' outside the namespace prefix.
std::wstring objectName(const std::string& name) {
    std::wstring wide = utf8ToWide(name);
    for (wchar_t& c : wide)
        if (c == L'\\') c = L'_';
    return L"orv-mutex-" + wide;
}

class Win32NamedMutex : public NamedMutexInterface {
public:
    explicit Win32NamedMutex(HANDLE mutex) : mutex_(mutex) {}
    ~Win32NamedMutex() override {
        // Closing the handle would leave the mutex abandoned for the next waiter.
        while (held_ > 0 && release()) {
        }
        namedMutexSyscalls().closeHandle(mutex_);
    }
    Win32NamedMutex(const Win32NamedMutex&) = delete;
    Win32NamedMutex& operator=(const Win32NamedMutex&) = delete;

    bool lock(OsError& error) override {
        const DWORD result = namedMutexSyscalls().waitForSingleObject(mutex_, INFINITE);
        if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED)
            return failWith(namedMutexSyscalls().getLastError(), error);
        ++held_;
        return true;
    }

    void unlock() override {
        if (held_ > 0) release();
    }

private:
    // Counts down while the mutex is still owned, so that the next owner's count is not raced.
    bool release() {
        --held_;
        if (namedMutexSyscalls().releaseMutex(mutex_)) return true;
        ++held_;
        return false;
    }

    HANDLE mutex_;
    unsigned held_ = 0;  // acquisitions not yet released (the owning thread may nest them)
};

class Win32NamedMutexFactory : public NamedMutexFactoryInterface {
public:
    std::unique_ptr<NamedMutexInterface> open(const std::string& name, OsError& error) override {
        HANDLE mutex = namedMutexSyscalls().createMutex(nullptr, FALSE, objectName(name).c_str());
        if (mutex == nullptr) {
            failWith(namedMutexSyscalls().getLastError(), error);
            return nullptr;
        }
        return std::make_unique<Win32NamedMutex>(mutex);
    }
};

}  // namespace
}  // namespace win32

NamedMutexFactoryInterface& namedMutexFactory() {
    static win32::Win32NamedMutexFactory instance;
    return instance;
}

}  // namespace platform
