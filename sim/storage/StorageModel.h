#pragma once
// The storage content: classes with attributes, and objects (devices) in storage order.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "palu/tSSRawGUID.h"

namespace orvsim {
namespace storage {

struct Value {
    enum class Kind { Bool, Integer, String } kind = Kind::Integer;
    bool boolean = false;
    int64_t integer = 0;
    std::wstring text;
};

using ValueMap = std::map<uint32_t, Value>;

struct ClassRecord {
    tSSRawGUID id{};
    std::string name;
    ValueMap attributes;
};

struct ObjectRecord {
    tSSRawGUID id{};
    tSSRawGUID classId{};
    uint32_t storageClass = 0;
    bool invalidState = false;
    bool iviSimulated = false;
    bool simulated = false;
    ValueMap properties;
    ValueMap attributes;
};

struct Content {
    std::vector<ClassRecord> classes;
    std::vector<ObjectRecord> objects;

    const ClassRecord* findClass(const tSSRawGUID& id) const;
    const ObjectRecord* findObject(const tSSRawGUID& id) const;
    ObjectRecord* findObject(const tSSRawGUID& id);
    ClassRecord* findClass(const tSSRawGUID& id);
};

}  // namespace storage
}  // namespace orvsim
