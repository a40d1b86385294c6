#pragma once
// Whole-file input and output in binary mode. Paths are UTF-8; a '\' separator is accepted
// wherever the platform uses another one. Files are opened shared (other readers and writers
// are not denied).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

enum class FileMode {
    ReadBinary,   // existing file, from its start
    WriteBinary,  // truncated, or created when missing
};

// A file opened through the C run time, in binary mode; closed when destroyed. The stream is
// the backend's, and so are the calls made on it.
class OpenFile {
public:
    explicit OpenFile(std::FILE* file) : file_(file) {}
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // Size in bytes, leaving the position at the start.
    bool size(int64_t& bytes, OsError& error);
    // Reads up to size bytes; count < size only at the end of the file.
    bool read(char* buffer, std::size_t size, std::size_t& count, OsError& error);
    // Writes all bytes.
    bool write(const char* data, std::size_t size, OsError& error);
    bool flush(OsError& error);

private:
    std::FILE* file_;
};

// A new content for a file, written under a temporary name in the file's folder and renamed over
// the file when committed, so that the file holds its old or its new content whatever happens.
// A symbolic link stays as it is: the file it leads to is the one replaced.
class ReplacementFile {
public:
    struct Native;  // the backend's handle and names
    explicit ReplacementFile(std::unique_ptr<Native> native);
    ~ReplacementFile();  // removes the temporary file unless committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool write(const char* data, std::size_t size, OsError& error);
    // Makes the content durable, then puts it in the file's place and makes that durable too.
    bool commit(OsError& error);
    // Whether the new content has taken the file's place: true also when commit failed after that,
    // at making the new name durable (the folder's sync).
    bool replaced() const;

private:
    std::unique_ptr<Native> native_;
};

// The operating system's files; each backend defines the operations.
class FileSystem {
public:
    // Null (with the reason) when the path cannot be converted or the file cannot be opened; for
    // reading, also when it is not a regular file (a folder, a pipe, a device), which is refused
    // without waiting on it.
    std::unique_ptr<OpenFile> open(const std::string& utf8Path, FileMode mode, OsError& error);
    // Null (with the reason) when the file's place cannot take a new content, or the new content
    // cannot be given the permissions of the file it replaces.
    std::unique_ptr<ReplacementFile> replace(const std::string& utf8Path, OsError& error);
};

// The path as the file-system calls of this platform take it.
std::string nativePath(const std::string& utf8Path);

FileSystem& fileSystem();

}  // namespace platform
