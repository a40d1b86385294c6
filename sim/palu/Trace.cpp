#include "palu/Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "palu/SimTrace.h"

namespace nORVMDBG100 {
namespace {

constexpr const char* kEnableVariable = "ORV_TRACE";

struct TraceState {
    std::mutex lock;
    std::atomic<int32_t> override{-1};
    SimTrace_LineCallback callback = nullptr;
    void* context = nullptr;
    std::atomic<uint32_t> checkCount{0};
};

TraceState& state() {
    static TraceState* s = new TraceState;  // usable from other modules' unload hooks
    return *s;
}

bool enabledByEnvironment() {
    static const bool enabled = [] {
        const char* value = std::getenv(kEnableVariable);
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

// The line each thread is building; lines of different threads never mix.
std::string& threadLine() {
    thread_local std::string line;
    return line;
}

const char* baseName(const char* path) {
    if (path == nullptr) return "";
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    return base;
}

void appendFormatted(std::string& line, const char* format, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) return;
    size_t start = line.size();
    line.resize(start + static_cast<size_t>(needed) + 1);
    std::vsnprintf(&line[start], static_cast<size_t>(needed) + 1, format, arguments);
    line.resize(start + static_cast<size_t>(needed));
}

void emit(const std::string& line) {
    TraceState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.callback != nullptr) {
        s.callback(s.context, line.c_str());
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

}  // namespace

tTrace& tTrace::getInstance() {
    static tTrace instance;
    return instance;
}

bool tTrace::isEnabled() const noexcept {
    int32_t forced = state().override.load();
    return forced >= 0 ? forced != 0 : enabledByEnvironment();
}

tTrace& tTrace::putPrefix(char traceType, const char* component, const char* file, int32_t line) noexcept {
    if (!isEnabled()) return *this;
    try {
        std::string& text = threadLine();
        text.clear();
        char prefix[64];
        std::snprintf(prefix, sizeof prefix, "%c [", traceType);
        text += prefix;
        text += component ? component : "";
        text += "] ";
        text += baseName(file);
        std::snprintf(prefix, sizeof prefix, ":%d: ", static_cast<int>(line));
        text += prefix;
    } catch (...) {
        threadLine().clear();
    }
    return *this;
}

tTrace& tTrace::putf(const char* format, ...) noexcept {
    if (!isEnabled() || format == nullptr) return *this;
    va_list arguments;
    va_start(arguments, format);
    try {
        appendFormatted(threadLine(), format, arguments);
    } catch (...) {
        threadLine().clear();
    }
    va_end(arguments);
    return *this;
}

tTrace& tTrace::endl() noexcept {
    if (!isEnabled()) return *this;
    try {
        emit(threadLine());
    } catch (...) {
    }
    threadLine().clear();
    return *this;
}

bool evalCheck(const char* checkText, const char* kind, const char* component, const char* file,
               int32_t line) noexcept {
    if (!tTrace::getInstance().isEnabled()) return false;
    ++state().checkCount;
    return true;
}

void notificationAction(const char* checkText, const char* kind, const char* component, const char* file,
                        int32_t line) noexcept {
    tTrace::getInstance()
        .putPrefix('c', component, file, line)
        .putf("%s failed (%s)", checkText ? checkText : "", kind ? kind : "")
        .endl();
}

bool continuationAction(const char*, const char*, const char*, const char*, int32_t) noexcept { return true; }

}  // namespace nORVMDBG100

void SimTrace_setEnabled(int32_t enabled) {
    nORVMDBG100::state().override.store(enabled < 0 ? -1 : (enabled != 0 ? 1 : 0));
}

void SimTrace_setLineCallback(SimTrace_LineCallback callback, void* context) {
    auto& s = nORVMDBG100::state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.callback = callback;
    s.context = context;
}

uint32_t SimTrace_getCheckCount(void) { return nORVMDBG100::state().checkCount.load(); }

void SimTrace_resetCheckCount(void) { nORVMDBG100::state().checkCount.store(0); }
