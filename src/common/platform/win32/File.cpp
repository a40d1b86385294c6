#include "common/platform/File.h"

#include <algorithm>

#include "common/platform/WideText.h"
#include "common/platform/win32/FileSyscalls.h"

namespace platform {
namespace win32 {

namespace {
int seek64(std::FILE* file, int64_t offset, int whence) { return ::_fseeki64(file, offset, whence); }
int64_t tell64(std::FILE* file) { return ::_ftelli64(file); }
}  // namespace

FileSyscalls realFileSyscalls() {
    return FileSyscalls{&::_wfopen, &seek64, &tell64, &std::fread, &std::fwrite, &std::fflush, &std::ferror, &std::fclose};
}

FileSyscalls& fileSyscalls() {
    static FileSyscalls calls = realFileSyscalls();
    return calls;
}

namespace {

class Win32OpenFile : public OpenFileInterface {
public:
    explicit Win32OpenFile(std::FILE* file) : file_(file) {}
    ~Win32OpenFile() override { fileSyscalls().fclose(file_); }
    Win32OpenFile(const Win32OpenFile&) = delete;
    Win32OpenFile& operator=(const Win32OpenFile&) = delete;

    int64_t size() override {
        FileSyscalls& calls = fileSyscalls();
        if (calls.fseek64(file_, 0, SEEK_END) != 0) return -1;
        const int64_t end = calls.ftell64(file_);
        if (end < 0 || calls.fseek64(file_, 0, SEEK_SET) != 0) return -1;
        return end;
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

class Win32FileSystem : public FileSystemInterface {
public:
    // The run time opens with full sharing; names go to the system as UTF-16.
    std::unique_ptr<OpenFileInterface> open(const std::string& utf8Path, FileMode mode) override {
        std::FILE* file = fileSyscalls().wfopen(utf8ToWide(nativePath(utf8Path)).c_str(),
                                                mode == FileMode::ReadBinary ? L"rb" : L"wb");
        if (file == nullptr) return nullptr;
        return std::make_unique<Win32OpenFile>(file);
    }
};

}  // namespace
}  // namespace win32

std::string nativePath(const std::string& utf8Path) {
    std::string path = utf8Path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

FileSystemInterface& fileSystem() {
    static win32::Win32FileSystem instance;
    return instance;
}

}  // namespace platform
