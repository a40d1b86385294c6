#pragma once
// The system calls behind the dynamic-library service, replaceable so that tests can make a
// load or a look-up fail at a chosen point.
namespace platform {
namespace posix {

struct DynamicLibrarySyscalls {
    void* (*dlopen)(const char* file, int mode);
    void* (*dlsym)(void* handle, const char* name);
    int (*dlclose)(void* handle);
    char* (*dlerror)();
};

// The table in use; starts with the real calls.
DynamicLibrarySyscalls& dynamicLibrarySyscalls();
// The real calls, for restoring.
DynamicLibrarySyscalls realDynamicLibrarySyscalls();

}  // namespace posix
}  // namespace platform
