#include "storage/StorageAccess.h"

#include <new>
#include <string>

#include "Store.h"
#include "storage/StorageStatus.h"

namespace nORVMS100 {

class iStorageSession {
public:
    explicit iStorageSession(const wchar_t* sessionName) : name(sessionName ? sessionName : L"") {}
    std::wstring name;
};

class tStorageSessionReaderWithLock {
public:
    explicit tStorageSessionReaderWithLock(std::shared_ptr<const orvsim::storage::Content> view)
        : content(std::move(view)) {}
    std::shared_ptr<const orvsim::storage::Content> content;
};

}  // namespace nORVMS100

namespace nORVDPAI100 {

namespace {

using orvsim::storage::ClassRecord;
using orvsim::storage::Content;
using orvsim::storage::ObjectRecord;
using orvsim::storage::Store;
using orvsim::storage::Value;
using orvsim::storage::ValueMap;

constexpr const char* kComponent = "orvqtxfu";

void raise(tStatus2& status, int32_t code, int32_t line) { status.setCode(code, kComponent, __FILE__, line); }

// False when the call must not run: an earlier error, or a failure injected for the function.
bool proceed(const char* functionName, tStatus2& status, int32_t line) {
    if (status.isFatal()) return false;
    int32_t injected = Store::instance().injectedFailure(functionName);
    if (injected == 0) return true;
    raise(status, injected, line);
    return false;
}

const ObjectRecord* objectOf(const tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tStatus2& status,
                             int32_t line) {
    if (reader == nullptr) {
        raise(status, kStatusInvalidArgument, line);
        return nullptr;
    }
    const ObjectRecord* object = reader->content->findObject(id);
    if (object == nullptr) raise(status, kStatusObjectNotFound, line);
    return object;
}

const Value* valueOf(const ValueMap& values, tAttributeID attribute, Value::Kind kind, tStatus2& status,
                     int32_t line) {
    auto found = values.find(attribute);
    if (found == values.end()) {
        raise(status, kStatusAttributeNotFound, line);
        return nullptr;
    }
    if (found->second.kind != kind) {
        raise(status, kStatusAttributeWrongType, line);
        return nullptr;
    }
    return &found->second;
}

const ClassRecord* classOf(const Content& content, const tSSRawGUID& classID, tStatus2& status, int32_t line) {
    const ClassRecord* record = content.findClass(classID);
    if (record == nullptr) raise(status, kStatusClassNotFound, line);
    return record;
}

}  // namespace

iStorageSession* getSession(const wchar_t* name, tStatus2& status) {
    if (!proceed("getSession", status, __LINE__)) return nullptr;
    int32_t loaded = Store::instance().loadStatus();
    if (loaded < 0) {
        raise(status, loaded, __LINE__);
        return nullptr;
    }
    iStorageSession* session = new (std::nothrow) iStorageSession(name);
    if (session == nullptr) {
        raise(status, kStatusOutOfMemory, __LINE__);
        return nullptr;
    }
    ++Store::instance().openSessions;
    return session;
}

void releaseSession(iStorageSession* session, tStatus2& status) {
    if (session == nullptr) return;
    delete session;
    --Store::instance().openSessions;
}

tStorageSessionReaderWithLock* beginReadOperation(iStorageSession* session, tStatus2& status) {
    if (!proceed("beginReadOperation", status, __LINE__)) return nullptr;
    if (session == nullptr) {
        raise(status, kStatusInvalidArgument, __LINE__);
        return nullptr;
    }
    try {
        auto* reader = new tStorageSessionReaderWithLock(Store::instance().snapshot());
        ++Store::instance().openReaders;
        return reader;
    } catch (const std::bad_alloc&) {
        raise(status, kStatusOutOfMemory, __LINE__);
        return nullptr;
    }
}

void endReadOperation(tStorageSessionReaderWithLock* reader, tStatus2& status) {
    // Like every storage call, it does nothing for a status that already failed.
    if (reader == nullptr || status.isFatal()) return;
    delete reader;
    --Store::instance().openReaders;
}

void getAllObjectIDsForClass(tStorageSessionReaderWithLock* reader, tStorageClass storageClass,
                             iItemAdder<tSSRawGUID>& adder, tStatus2& status) {
    if (!proceed("getAllObjectIDsForClass", status, __LINE__)) return;
    if (reader == nullptr) return raise(status, kStatusInvalidArgument, __LINE__);
    for (const ObjectRecord& object : reader->content->objects) {
        if (object.storageClass != storageClass) continue;
        adder.add(object.id, status);
        if (status.isFatal()) return;
    }
}

uint32_t isObjectInInvalidState(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tStatus2& reason,
                                tStatus2& status) {
    if (!proceed("isObjectInInvalidState", status, __LINE__)) return 0;
    const ObjectRecord* object = objectOf(reader, id, status, __LINE__);
    if (object == nullptr || !object->invalidState) return 0;
    raise(reason, kStatusObjectInvalid, __LINE__);
    return 1;
}

void getClassIDForObject(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tSSRawGUID& classID,
                         tStatus2& status) {
    if (!proceed("getClassIDForObject", status, __LINE__)) return;
    if (const ObjectRecord* object = objectOf(reader, id, status, __LINE__)) classID = object->classId;
}

void getObjectStringProperty(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tAttributeID attribute,
                             iItemAdder<const wchar_t*>& adder, tStatus2& status) {
    if (!proceed("getObjectStringProperty", status, __LINE__)) return;
    const ObjectRecord* object = objectOf(reader, id, status, __LINE__);
    if (object == nullptr) return;
    if (const Value* value = valueOf(object->properties, attribute, Value::Kind::String, status, __LINE__)) {
        const wchar_t* text = value->text.c_str();
        adder.add(text, status);
    }
}

int32_t getObjectI32Property(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tAttributeID attribute,
                             tStatus2& status) {
    if (!proceed("getObjectI32Property", status, __LINE__)) return 0;
    const ObjectRecord* object = objectOf(reader, id, status, __LINE__);
    if (object == nullptr) return 0;
    const Value* value = valueOf(object->properties, attribute, Value::Kind::Integer, status, __LINE__);
    if (value == nullptr) return 0;
    if (value->integer < INT32_MIN || value->integer > INT32_MAX) {
        raise(status, kStatusAttributeWrongType, __LINE__);
        return 0;
    }
    return static_cast<int32_t>(value->integer);
}

uint32_t isObjectSimulated(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tStatus2& status) {
    if (!proceed("isObjectSimulated", status, __LINE__)) return 0;
    const ObjectRecord* object = objectOf(reader, id, status, __LINE__);
    return object != nullptr && object->simulated ? 1 : 0;
}

void getSDCClassAttributeString(const wchar_t* sessionName, const tSSRawGUID& classID, tAttributeID attribute,
                                iItemAdder<const wchar_t*>& adder, tStatus2& status) {
    if (!proceed("getSDCClassAttributeString", status, __LINE__)) return;
    std::shared_ptr<const Content> content = Store::instance().snapshot();
    const ClassRecord* record = classOf(*content, classID, status, __LINE__);
    if (record == nullptr) return;
    if (const Value* value = valueOf(record->attributes, attribute, Value::Kind::String, status, __LINE__)) {
        const wchar_t* text = value->text.c_str();
        adder.add(text, status);
    }
}

uint32_t getSDCClassAttributeBool(const wchar_t* sessionName, const tSSRawGUID& classID, tAttributeID attribute,
                                  tStatus2& status) {
    if (!proceed("getSDCClassAttributeBool", status, __LINE__)) return 0;
    std::shared_ptr<const Content> content = Store::instance().snapshot();
    const ClassRecord* record = classOf(*content, classID, status, __LINE__);
    if (record == nullptr) return 0;
    const Value* value = valueOf(record->attributes, attribute, Value::Kind::Bool, status, __LINE__);
    return value != nullptr && value->boolean ? 1 : 0;
}

uint32_t getDeviceAttributeU32(const wchar_t* sessionName, const tSSRawGUID& id, tAttributeID attribute,
                               tStatus2& status) {
    if (!proceed("getDeviceAttributeU32", status, __LINE__)) return 0;
    std::shared_ptr<const Content> content = Store::instance().snapshot();
    const ObjectRecord* object = content->findObject(id);
    if (object == nullptr) {
        raise(status, kStatusObjectNotFound, __LINE__);
        return 0;
    }
    const Value* value = valueOf(object->attributes, attribute, Value::Kind::Integer, status, __LINE__);
    if (value == nullptr) return 0;
    if (value->integer < 0 || value->integer > static_cast<int64_t>(UINT32_MAX)) {
        raise(status, kStatusAttributeWrongType, __LINE__);
        return 0;
    }
    return static_cast<uint32_t>(value->integer);
}

namespace nStorageSessionHelpers {

uint32_t isIVISimulated(tStorageSessionReaderWithLock* reader, const tSSRawGUID& id, tStatus2& status) {
    if (!proceed("isIVISimulated", status, __LINE__)) return 0;
    const ObjectRecord* object = objectOf(reader, id, status, __LINE__);
    return object != nullptr && object->iviSimulated ? 1 : 0;
}

}  // namespace nStorageSessionHelpers

}  // namespace nORVDPAI100
