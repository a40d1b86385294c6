#include "palu/PackageEventLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "palu/Trace.h"

namespace {

struct EventLog {
    std::mutex lock;
    std::vector<uint32_t> packageEvents;
    std::string lastPackageName;
    std::string eventText;
};

EventLog& eventLog() {
    static EventLog* log = new EventLog;  // outlives every module's unload hooks
    return *log;
}

uint32_t copyOut(const std::string& text, char* buffer, uint32_t size) {
    if (buffer != nullptr && size > 0) {
        size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<uint32_t>(text.size() + 1);
}

}  // namespace

int32_t pkgModulePackageEventLog(uint32_t event, const char* moduleFileName, const char* buildDescription,
                                 const char* packageName) {
    EventLog& log = eventLog();
    {
        std::lock_guard<std::mutex> guard(log.lock);
        log.packageEvents.push_back(event);
        log.lastPackageName = packageName ? packageName : "";
    }
    nORVMDBG100::tTrace& trace = nORVMDBG100::tTrace::getInstance();
    if (trace.isEnabled()) {
        trace.putPrefix('p', "orvpalu", __FILE__, __LINE__)
            .putf("package event %u of %s (%s), package %s", event, moduleFileName ? moduleFileName : "?",
                  buildDescription ? buildDescription : "", packageName ? packageName : "")
            .endl();
    }
    return 0;
}

void _palLogEvent(const char* source, const char* format, ...) {
    if (format == nullptr) return;
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(&text[0], text.size(), format, arguments);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(arguments);
    std::string line = std::string(source ? source : "") + ": " + text;
    EventLog& log = eventLog();
    std::lock_guard<std::mutex> guard(log.lock);
    log.eventText += line;
    std::fputs(line.c_str(), stderr);
    if (line.empty() || line.back() != '\n') std::fputc('\n', stderr);
}

uint32_t SimPalu_getPackageEvents(uint32_t* events, uint32_t capacity) {
    EventLog& log = eventLog();
    std::lock_guard<std::mutex> guard(log.lock);
    for (uint32_t i = 0; events != nullptr && i < capacity && i < log.packageEvents.size(); ++i)
        events[i] = log.packageEvents[i];
    return static_cast<uint32_t>(log.packageEvents.size());
}

void SimPalu_getLastPackageName(char* buffer, uint32_t size) {
    EventLog& log = eventLog();
    std::lock_guard<std::mutex> guard(log.lock);
    copyOut(log.lastPackageName, buffer, size);
}

uint32_t SimPalu_getEventLogText(char* buffer, uint32_t size) {
    EventLog& log = eventLog();
    std::lock_guard<std::mutex> guard(log.lock);
    return copyOut(log.eventText, buffer, size);
}

void SimPalu_reset(void) {
    EventLog& log = eventLog();
    std::lock_guard<std::mutex> guard(log.lock);
    log.packageEvents.clear();
    log.lastPackageName.clear();
    log.eventText.clear();
}
