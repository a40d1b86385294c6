#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "explorer/GuidText.h"
#include "palu/Trace.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/messages/Messages.h"

void corvComTraceUnknownInterface(const void* map, REFIID iid) noexcept {
    // Never destroyed: a worker thread may still ask while the module unloads.
    static std::mutex* mutex = new std::mutex;
    static auto* traced = new std::set<std::pair<const void*, std::string>>;
    try {
        const std::string text = guidText(iid);
        {
            std::lock_guard<std::mutex> guard(*mutex);
            if (!traced->emplace(map, text).second) return;
        }
        nORVMDBG100::tTrace::getInstance()
            .putPrefix(quorrel::messages::kTraceTypeInfo, ORVERR_COMPONENT, __FILE__, __LINE__)
            .putf(quorrel::messages::kUnknownInterface, text.c_str())
            .endl();
    } catch (...) {
        // Tracing is best effort; QueryInterface answers E_NOINTERFACE either way.
    }
}
