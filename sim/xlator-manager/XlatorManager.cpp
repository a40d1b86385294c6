// A translator manager with one translator of its own, which describes any code in a fixed
// English sentence and any document with one item naming the manager.
#include "SimXlatorManager.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::atomic<int32_t> gSessions{0};
std::atomic<int32_t> gTranslators{0};
constexpr uint32_t kSession = 0x5e55;
constexpr int32_t kResourceNotFound = -52006;
constexpr int32_t kInvalidParameter = -52005;

// Writes an error into the caller's status as its own raise sites would: only when it holds no
// error yet, a fresh document through the status's own reallocate.
void fail(SimXlatorStatus* status, int32_t code, const std::string& document) {
    if (!status || status->code < 0) return;
    status->code = code;
    const uint32_t needed = static_cast<uint32_t>(document.size() + 2);
    if (!status->reallocate || !status->reallocate(status, needed) || status->capacity < needed) return;
    std::memset(status->json, 0, status->capacity);
    std::memcpy(status->json, document.c_str(), document.size() + 1);
    status->json[status->capacity - 1] = 'J';
}

char* copyOut(const std::string& text, SimXlatorRealloc allocate, void* context, SimXlatorStatus* status) {
    char* result = static_cast<char*>(allocate(nullptr, text.size() + 1, context, status));
    if (result) std::memcpy(result, text.c_str(), text.size() + 1);
    return result;
}

void destroy(SimXlatorTable* xlator) {
    delete xlator;
    --gTranslators;
}

char* staticDesc(SimXlatorTable*, int32_t code, uint32_t languageWord, SimXlatorRealloc allocate, void* context,
                 SimXlatorStatus* status) {
    if (status && status->code < 0) return nullptr;
    char text[160];
    std::snprintf(text, sizeof text, "Status %d, described by the translator manager (language %u).", code,
                  languageWord & 0xFFu);
    return copyOut(text, allocate, context, status);
}

char* dynamicDesc(SimXlatorTable*, const char*, uint32_t, const char* format, SimXlatorRealloc allocate,
                  void* context, SimXlatorStatus* status) {
    if (status && status->code < 0) return nullptr;
    if (!format || std::strcmp(format, "json1") != 0) {
        fail(status, -52029, "{\"orvxlatormgr_debug\":{\"debug\":\"unsupported format\"}}");
        return nullptr;
    }
    return copyOut("{\"dynamic\":[{\"type\":\"usage\",\"key\":\"Translator\",\"value\":\"translator manager\"}],"
                   "\"debug\":[]}",
                   allocate, context, status);
}

}  // namespace

extern "C" {

void* orvxlatormgr_createSession(SimXlatorStatus* status) {
    if (status && status->code < 0) return nullptr;
    ++gSessions;
    return new uint32_t(kSession);
}

void orvxlatormgr_destroySession(void* session) {
    if (!session) return;
    delete static_cast<uint32_t*>(session);
    --gSessions;
}

SimXlatorTable* orvxlatormgr_createXlator(void* session, const char* name, SimXlatorStatus* status, void*) {
    if (status && status->code < 0) return nullptr;
    if (!session || *static_cast<uint32_t*>(session) != kSession) {
        fail(status, kInvalidParameter, "{\"orvxlatormgr_debug\":{\"debug\":\"invalid session\"}}");
        return nullptr;
    }
    if (!name || std::strcmp(name, SIM_XLATOR_MANAGER_TRANSLATOR) != 0) {
        // Names are plain identifiers; anything else is not quoted into the document.
        std::string shown;
        for (const char* p = name ? name : ""; *p; ++p) shown += (*p == '"' || *p == '\\' || *p < 0x20) ? '?' : *p;
        fail(status, kResourceNotFound,
             "{\"error_constant\":\"orvapalerr_resourceNotFound\",\"orvxlatormgr_debug\":"
             "{\"debug\":\"no translator registered under this name\",\"xlatorName\":\"" + shown + "\"}}");
        return nullptr;
    }
    ++gTranslators;
    return new SimXlatorTable{sizeof(SimXlatorTable), &destroy, &staticDesc, &dynamicDesc};
}

void orvxlatormgr_destroyXlator(void* session, SimXlatorTable* xlator) {
    if (session && xlator && xlator->destroy) xlator->destroy(xlator);
}

int32_t SimXlatorMgr_LiveSessions(void) { return gSessions.load(); }
int32_t SimXlatorMgr_LiveTranslators(void) { return gTranslators.load(); }

}  // extern "C"
