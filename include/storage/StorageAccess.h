#pragma once
// Storage access functions of orvqtxfu (liborvqtxfu.so). Every function takes the status last,
// does nothing (and returns 0 or null) when it is already negative, and reports failure by
// setting it negative (codes in storage/StorageStatus.h).
//
// Session names: null or L"" is the default storage; the functions that take a name instead of
// a reader read the current content of that storage.
#include <cstdint>

#include "palu/Export.h"
#include "storage/StorageTypes.h"

namespace nORVDPAI100 {

using nORVMDBG100::tStatus2;
using nORVMS100::iStorageSession;
using nORVMS100::tStorageSessionReaderWithLock;

QTXFU_API iStorageSession* getSession(const wchar_t* name, tStatus2& status);
// Frees the session; a null session is ignored. Runs even when status is negative, so that a
// session is never leaked.
QTXFU_API void releaseSession(iStorageSession* session, tStatus2& status);

// A reader that must be ended with endReadOperation (also after failures of the reads).
QTXFU_API tStorageSessionReaderWithLock* beginReadOperation(iStorageSession* session, tStatus2& status);
// Ends and frees the reader; a null reader is ignored. Runs even when status is negative, so
// that a reader is never leaked.
QTXFU_API void endReadOperation(tStorageSessionReaderWithLock* reader, tStatus2& status);

// Hands every object ID of the class to the adder, in storage order.
QTXFU_API void getAllObjectIDsForClass(tStorageSessionReaderWithLock* reader, tStorageClass storageClass,
                                       iItemAdder<tSSRawGUID>& adder, tStatus2& status);
// Nonzero when the object is in an invalid state; reason then receives why (a negative code).
QTXFU_API uint32_t isObjectInInvalidState(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                          tStatus2& reason, tStatus2& status);
QTXFU_API void getClassIDForObject(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                   tSSRawGUID& classID, tStatus2& status);
// Hands the string to the adder (once).
QTXFU_API void getObjectStringProperty(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                       tAttributeID attribute, iItemAdder<const wchar_t*>& adder,
                                       tStatus2& status);
QTXFU_API int32_t getObjectI32Property(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                       tAttributeID attribute, tStatus2& status);
QTXFU_API uint32_t isObjectSimulated(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                     tStatus2& status);

// Class (SDC) attributes, by class ID.
QTXFU_API void getSDCClassAttributeString(const wchar_t* sessionName, const tSSRawGUID& classID,
                                          tAttributeID attribute, iItemAdder<const wchar_t*>& adder,
                                          tStatus2& status);
QTXFU_API uint32_t getSDCClassAttributeBool(const wchar_t* sessionName, const tSSRawGUID& classID,
                                            tAttributeID attribute, tStatus2& status);

// Device attributes, by object ID.
QTXFU_API uint32_t getDeviceAttributeU32(const wchar_t* sessionName, const tSSRawGUID& id,
                                         tAttributeID attribute, tStatus2& status);

namespace nStorageSessionHelpers {
// Nonzero when the device is simulated through the IVI configuration.
QTXFU_API uint32_t isIVISimulated(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id,
                                  tStatus2& status);
}  // namespace nStorageSessionHelpers

}  // namespace nORVDPAI100
