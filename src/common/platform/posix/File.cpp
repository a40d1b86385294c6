#include "common/platform/File.h"

#include <algorithm>

#include "common/platform/posix/FileSyscalls.h"

namespace platform {
namespace posix {

FileSyscalls realFileSyscalls() {
    return FileSyscalls{&std::fopen, &::fseeko, &::ftello, &std::fread, &std::fwrite, &std::fflush, &std::ferror, &std::fclose};
}

FileSyscalls& fileSyscalls() {
    static FileSyscalls calls = realFileSyscalls();
    return calls;
}

namespace {

class PosixOpenFile : public OpenFileInterface {
public:
    explicit PosixOpenFile(std::FILE* file) : file_(file) {}
    ~PosixOpenFile() override { fileSyscalls().fclose(file_); }
    PosixOpenFile(const PosixOpenFile&) = delete;
    PosixOpenFile& operator=(const PosixOpenFile&) = delete;

    int64_t size() override {
        FileSyscalls& calls = fileSyscalls();
        if (calls.fseeko(file_, 0, SEEK_END) != 0) return -1;
        const off_t end = calls.ftello(file_);
        if (end < 0 || calls.fseeko(file_, 0, SEEK_SET) != 0) return -1;
        return static_cast<int64_t>(end);
    }

    std::size_t read(char* buffer, std::size_t size) override {
        return size == 0 ? 0 : fileSyscalls().fread(buffer, 1, size, file_);
    }

    bool failed() const override { return fileSyscalls().ferror(file_) != 0; }

    std::size_t write(const char* data, std::size_t size) override {
        return size == 0 ? 0 : fileSyscalls().fwrite(data, 1, size, file_);
    }

    bool flush() override { return fileSyscalls().fflush(file_) == 0; }

private:
    std::FILE* file_;
};

class PosixFileSystem : public FileSystemInterface {
public:
    std::unique_ptr<OpenFileInterface> open(const std::string& utf8Path, FileMode mode) override {
        // File names are bytes here, so a UTF-8 name needs no conversion.
        std::FILE* file = fileSyscalls().fopen(nativePath(utf8Path).c_str(), mode == FileMode::ReadBinary ? "rb" : "wb");
        if (file == nullptr) return nullptr;
        return std::make_unique<PosixOpenFile>(file);
    }
};

}  // namespace
}  // namespace posix

std::string nativePath(const std::string& utf8Path) {
    std::string path = utf8Path;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileSystemInterface& fileSystem() {
    static posix::PosixFileSystem instance;
    return instance;
}

}  // namespace platform
