#pragma once
// A file opened through the C run time, as both backends read and write whole files. The calls
// come from the backend's system-call table, whose `seek` and `tell` are the 64-bit forms; fail
// fills an OsError after a failed call, the backend's way.
#include <cstdint>
#include <cstdio>

#include "common/platform/File.h"

namespace platform {

template <class Table, Table& (*calls)(), bool (*fail)(OsError&)>
class StdioOpenFile : public OpenFileInterface {
public:
    explicit StdioOpenFile(std::FILE* file) : file_(file) {}
    ~StdioOpenFile() override { calls().fclose(file_); }
    StdioOpenFile(const StdioOpenFile&) = delete;
    StdioOpenFile& operator=(const StdioOpenFile&) = delete;

    bool size(int64_t& bytes, OsError& error) override {
        Table& table = calls();
        if (table.seek(file_, 0, SEEK_END) != 0) return fail(error);
        const int64_t end = static_cast<int64_t>(table.tell(file_));
        if (end < 0 || table.seek(file_, 0, SEEK_SET) != 0) return fail(error);
        bytes = end;
        return true;
    }

    bool read(char* buffer, std::size_t size, std::size_t& count, OsError& error) override {
        count = size == 0 ? 0 : calls().fread(buffer, 1, size, file_);
        // A stream error fails the read even when every byte arrived.
        return calls().ferror(file_) == 0 || fail(error);
    }

    bool write(const char* data, std::size_t size, OsError& error) override {
        return size == 0 || calls().fwrite(data, 1, size, file_) == size || fail(error);
    }

    bool flush(OsError& error) override { return calls().fflush(file_) == 0 || fail(error); }

private:
    std::FILE* file_;
};

}  // namespace platform
