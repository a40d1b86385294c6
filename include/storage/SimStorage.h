#pragma once
// Control of the storage stand-in (liborvqtxfu.so) for tests and tools; not part of the real
// library. The storage content is a JSON description:
//
//   {"classes": [{"id": "{GUID}", "name": "...",
//                 "attributes": {"10817": "text", "12426": true}}],
//    "objects": [{"id": "{GUID}", "class": "{GUID}", "storageClass": 14798,
//                 "invalidState": false, "iviSimulated": false, "simulated": false,
//                 "properties": {"9553": "text", "1585": "text", "8998": 12582},
//                 "attributes": {"8999": 1, "9000": 4, "12116": 0, "12117": 0}}]}
//
// Attribute and property keys are decimal identifiers; values are strings, booleans or integers.
// At first use the storage reads the file named by ORV_STORAGE_FILE, or holds a built-in set of
// simulated digitizers when the variable is unset. An unreadable file leaves the storage empty
// and makes getSession fail.
//
// Changes made through this interface are reported to subscribers as a batch: begin, one event
// per object, end. Reads never wait for a change and see either the old or the new content.
#include <stdint.h>

#include "palu/Export.h"
#include "palu/tSSRawGUID.h"

#ifdef __cplusplus
extern "C" {
#endif

// Storage class of digitizer device objects.
#define SIMSTORAGE_DEVICE_CLASS 14798

// Results: 0 success, negative failure (the codes of storage/StorageStatus.h).

// Replaces the whole content (no events). Null text: back to ORV_STORAGE_FILE or the built-in set.
QTXFU_API int32_t SimStorage_load(const char* descriptionJson);
QTXFU_API int32_t SimStorage_loadFile(const char* path);
// The built-in description (static text).
QTXFU_API const char* SimStorage_defaultDescription(void);

// Adds a class ({"id": ..., "attributes": ...}); replaces a class with the same ID. No event.
QTXFU_API int32_t SimStorage_putClass(const char* classJson);
// Adds an object (event "added"); fails if the ID exists.
QTXFU_API int32_t SimStorage_addObject(const char* objectJson);
// Replaces an existing object by ID (event "changed").
QTXFU_API int32_t SimStorage_modifyObject(const char* objectJson);
// Removes an object (event "removed"); id is the braced GUID text.
QTXFU_API int32_t SimStorage_removeObject(const char* id);
// Object IDs of a storage class as braced upper-case GUID texts separated by '\n'; returns the
// size needed including the NUL, copying what fits.
QTXFU_API uint32_t SimStorage_listObjects(uint32_t storageClass, char* buffer, uint32_t size);

// Groups the following changes into one batch for the subscribers (nestable).
QTXFU_API void SimStorage_beginBatch(void);
QTXFU_API void SimStorage_endBatch(void);

enum {
    SimStorage_kEventBatchBegin = 0,
    SimStorage_kEventAdded = 1,
    SimStorage_kEventRemoved = 2,
    SimStorage_kEventChanged = 3,
    SimStorage_kEventBatchEnd = 4
};
// id is null for batch begin and end. Called on the thread that made the change, one change
// at a time; the callback may read the storage.
typedef void (*SimStorage_ChangeCallback)(void* context, int32_t event, const tSSRawGUID* id);
// Returns a cookie > 0, or 0 when callback is null.
QTXFU_API uint32_t SimStorage_subscribe(SimStorage_ChangeCallback callback, void* context);
QTXFU_API void SimStorage_unsubscribe(uint32_t cookie);

// Makes every later call of the named storage function (for example "getSession",
// "beginReadOperation", "getObjectStringProperty") fail with status, until cleared.
QTXFU_API void SimStorage_setFailure(const char* functionName, int32_t status);
QTXFU_API void SimStorage_clearFailures(void);

// Sessions and readers currently open (to find leaks).
QTXFU_API uint32_t SimStorage_getOpenSessionCount(void);
QTXFU_API uint32_t SimStorage_getOpenReaderCount(void);

// Braced upper-case GUID text of id into buffer (at least 39 bytes); 0 or a negative status.
QTXFU_API int32_t SimStorage_formatGuid(const tSSRawGUID* id, char* buffer, uint32_t size);
QTXFU_API int32_t SimStorage_parseGuid(const char* text, tSSRawGUID* id);

#ifdef __cplusplus
}
#endif
