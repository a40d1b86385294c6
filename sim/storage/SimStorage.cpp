// Control functions of the storage stand-in.
#include "storage/SimStorage.h"

#include <cstring>
#include <string>

#include "DefaultDescription.h"
#include "GuidText.h"
#include "Store.h"
#include "storage/StorageStatus.h"

using orvsim::storage::Store;

namespace {

// Runs a control function; memory shortage is reported, never thrown across the C boundary.
template <typename Body>
int32_t guarded(Body body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return nORVDPAI100::kStatusOutOfMemory;
    }
}

}  // namespace

int32_t SimStorage_load(const char* descriptionJson) {
    return guarded([&] { return Store::instance().load(descriptionJson); });
}

int32_t SimStorage_loadFile(const char* path) {
    return guarded([&] { return Store::instance().loadFile(path); });
}

const char* SimStorage_defaultDescription(void) { return orvsim::storage::defaultDescription(); }

int32_t SimStorage_putClass(const char* classJson) {
    return guarded([&] { return Store::instance().putClass(classJson); });
}

int32_t SimStorage_addObject(const char* objectJson) {
    return guarded([&] { return Store::instance().addObject(objectJson); });
}

int32_t SimStorage_modifyObject(const char* objectJson) {
    return guarded([&] { return Store::instance().modifyObject(objectJson); });
}

int32_t SimStorage_removeObject(const char* id) {
    return guarded([&] { return Store::instance().removeObject(id); });
}

uint32_t SimStorage_listObjects(uint32_t storageClass, char* buffer, uint32_t size) {
    std::string text;
    try {
        for (const auto& object : Store::instance().snapshot()->objects) {
            if (object.storageClass != storageClass) continue;
            if (!text.empty()) text += '\n';
            text += orvsim::storage::formatGuid(object.id);
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (buffer != nullptr && size > 0) {
        size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<uint32_t>(text.size() + 1);
}

void SimStorage_beginBatch(void) { Store::instance().beginBatch(); }

void SimStorage_endBatch(void) { Store::instance().endBatch(); }

uint32_t SimStorage_subscribe(SimStorage_ChangeCallback callback, void* context) {
    try {
        return Store::instance().subscribe(callback, context);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void SimStorage_unsubscribe(uint32_t cookie) { Store::instance().unsubscribe(cookie); }

void SimStorage_setFailure(const char* functionName, int32_t status) {
    try {
        Store::instance().setFailure(functionName, status);
    } catch (const std::bad_alloc&) {
    }
}

void SimStorage_clearFailures(void) { Store::instance().clearFailures(); }

uint32_t SimStorage_getOpenSessionCount(void) { return Store::instance().openSessions.load(); }

uint32_t SimStorage_getOpenReaderCount(void) { return Store::instance().openReaders.load(); }

int32_t SimStorage_formatGuid(const tSSRawGUID* id, char* buffer, uint32_t size) {
    if (id == nullptr || buffer == nullptr || size < 39) return nORVDPAI100::kStatusInvalidArgument;
    std::string text = orvsim::storage::formatGuid(*id);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 0;
}

int32_t SimStorage_parseGuid(const char* text, tSSRawGUID* id) {
    if (text == nullptr || id == nullptr) return nORVDPAI100::kStatusInvalidArgument;
    return orvsim::storage::parseGuid(text, *id) ? 0 : nORVDPAI100::kStatusInvalidArgument;
}
