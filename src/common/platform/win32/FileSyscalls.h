#pragma once
// The C run-time calls behind the file service, replaceable so that tests can make an open,
// a read, a write or a flush fail at a chosen point.
#include <cstdint>
#include <cstdio>

namespace platform::win32 {

struct FileSyscalls {
    std::FILE* (*wfopen)(const wchar_t* path, const wchar_t* mode);
    int (*fseek64)(std::FILE* file, int64_t offset, int whence);
    int64_t (*ftell64)(std::FILE* file);
    std::size_t (*fread)(void* buffer, std::size_t size, std::size_t count, std::FILE* file);
    std::size_t (*fwrite)(const void* data, std::size_t size, std::size_t count, std::FILE* file);
    int (*fflush)(std::FILE* file);
    int (*ferror)(std::FILE* file);
    int (*fclose)(std::FILE* file);
};

// The table in use; starts with the real calls.
FileSyscalls& fileSyscalls();
// The real calls, for restoring.
FileSyscalls realFileSyscalls();

}  // namespace platform::win32
