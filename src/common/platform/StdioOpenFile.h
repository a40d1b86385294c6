#pragma once
// A file opened through the C run time, as both backends read and write whole files. The calls
// come from the backend's system-call table, whose `seek` and `tell` are the 64-bit forms.
#include <cstdint>
#include <cstdio>

#include "common/platform/File.h"

namespace platform {

template <class Table, Table& (*calls)()>
class StdioOpenFile : public OpenFileInterface {
public:
    explicit StdioOpenFile(std::FILE* file) : file_(file) {}
    ~StdioOpenFile() override { calls().fclose(file_); }
    StdioOpenFile(const StdioOpenFile&) = delete;
    StdioOpenFile& operator=(const StdioOpenFile&) = delete;

    int64_t size() override {
        Table& table = calls();
        if (table.seek(file_, 0, SEEK_END) != 0) return -1;
        const int64_t end = static_cast<int64_t>(table.tell(file_));
        if (end < 0 || table.seek(file_, 0, SEEK_SET) != 0) return -1;
        return end;
    }

    std::size_t read(char* buffer, std::size_t size) override {
        return size == 0 ? 0 : calls().fread(buffer, 1, size, file_);
    }

    bool failed() const override { return calls().ferror(file_) != 0; }

    std::size_t write(const char* data, std::size_t size) override {
        return size == 0 ? 0 : calls().fwrite(data, 1, size, file_);
    }

    bool flush() override { return calls().fflush(file_) == 0; }

private:
    std::FILE* file_;
};

}  // namespace platform
