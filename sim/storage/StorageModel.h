#pragma once
// The storage content: classes with attributes, and objects (devices) in storage order.
#include <cstddef>
#include <cstdint>
#include <cstring>
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

struct GuidHash {
    std::size_t operator()(const tSSRawGUID& id) const noexcept {
        uint64_t halves[2];
        static_assert(sizeof halves == sizeof id, "a GUID is 16 bytes");
        std::memcpy(halves, &id, sizeof halves);
        uint64_t hash = (halves[0] ^ (halves[1] * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
        return static_cast<std::size_t>(hash ^ (hash >> 31));
    }
};

// Objects are looked up by ID on every storage read: indexed, so that benchmarks over thousands of
// devices measure the expert, not this stand-in. Add and remove objects through the functions.
struct Content {
    std::vector<ClassRecord> classes;
    std::vector<ObjectRecord> objects;

    const ClassRecord* findClass(const tSSRawGUID& id) const;
    const ObjectRecord* findObject(const tSSRawGUID& id) const;
    ObjectRecord* findObject(const tSSRawGUID& id);
    ClassRecord* findClass(const tSSRawGUID& id);
    void addObject(ObjectRecord record);
    // False when there is no object with the ID.
    bool removeObject(const tSSRawGUID& id);

private:
    // Open addressing over object positions (kNoObject: free), at most half full: a lookup reads
    // one slot and then the object, where a node-based map would read a node in between.
    static constexpr std::size_t kNoObject = static_cast<std::size_t>(-1);
    std::size_t slotOf(const tSSRawGUID& id) const;
    void reindex();

    std::vector<std::size_t> objectIndex_;
};

}  // namespace storage
}  // namespace orvsim
