#pragma once
// The C run-time and system calls behind the file service, replaceable so that tests can make an
// open, a read, a write, a flush or a rename fail at a chosen point.
#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace platform::win32 {

struct FileSyscalls {
    std::FILE* (*wfopen)(const wchar_t* path, const wchar_t* mode);
    int (*seek)(std::FILE* file, int64_t offset, int whence);
    int64_t (*tell)(std::FILE* file);
    std::size_t (*fread)(void* buffer, std::size_t size, std::size_t count, std::FILE* file);
    std::size_t (*fwrite)(const void* data, std::size_t size, std::size_t count, std::FILE* file);
    int (*fflush)(std::FILE* file);
    int (*ferror)(std::FILE* file);
    int (*fclose)(std::FILE* file);
    // Telling regular files from others, and replacing a file.
    HANDLE(WINAPI* createFile)(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile);
    DWORD(WINAPI* getFileType)(HANDLE file);
    BOOL(WINAPI* getFileInformationByHandle)(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
    BOOL(WINAPI* writeFile)(HANDLE file, LPCVOID data, DWORD size, LPDWORD count, LPOVERLAPPED at);
    BOOL(WINAPI* flushFileBuffers)(HANDLE file);
    BOOL(WINAPI* closeHandle)(HANDLE file);
    BOOL(WINAPI* moveFileEx)(LPCWSTR from, LPCWSTR to, DWORD flags);
    BOOL(WINAPI* deleteFile)(LPCWSTR path);
    DWORD(WINAPI* getLastError)();
};

// The table in use; starts with the real calls.
FileSyscalls& fileSyscalls();
// The real calls, for restoring.
FileSyscalls realFileSyscalls();

}  // namespace platform::win32
