#pragma once
// The operations of an OpenFile, as both backends make them on a C run-time stream. The calls
// come from the backend's system-call table, whose `seek` and `tell` are the 64-bit forms; fail
// fills an OsError after a failed call, the backend's way.
#include <cstdint>
#include <cstdio>

#include "common/platform/File.h"

namespace platform {

template <class Table, Table& (*calls)(), bool (*fail)(OsError&)>
struct StdioOpenFile {
    static void close(std::FILE* file) { calls().fclose(file); }

    static bool size(std::FILE* file, int64_t& bytes, OsError& error) {
        Table& table = calls();
        if (table.seek(file, 0, SEEK_END) != 0) return fail(error);
        const int64_t end = static_cast<int64_t>(table.tell(file));
        if (end < 0 || table.seek(file, 0, SEEK_SET) != 0) return fail(error);
        bytes = end;
        return true;
    }

    static bool read(std::FILE* file, char* buffer, std::size_t size, std::size_t& count, OsError& error) {
        count = size == 0 ? 0 : calls().fread(buffer, 1, size, file);
        // A stream error fails the read even when every byte arrived.
        return calls().ferror(file) == 0 || fail(error);
    }

    static bool write(std::FILE* file, const char* data, std::size_t size, OsError& error) {
        return size == 0 || calls().fwrite(data, 1, size, file) == size || fail(error);
    }

    static bool flush(std::FILE* file, OsError& error) { return calls().fflush(file) == 0 || fail(error); }
};

}  // namespace platform
