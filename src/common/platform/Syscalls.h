#pragma once
// The system-call seam of the platform backend. Every backend routes its system calls through
// tables of function pointers, one per service, named alike: `xxxSyscalls()` is the table in use,
// `realXxxSyscalls()` a table of the real calls. Tests replace entries to make a chosen call fail
// and put every table back with restoreRealSyscalls().
namespace platform {

void restoreRealSyscalls();

}  // namespace platform
