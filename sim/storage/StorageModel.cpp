#include "StorageModel.h"

namespace orvsim {
namespace storage {

const ClassRecord* Content::findClass(const tSSRawGUID& id) const {
    for (const ClassRecord& c : classes)
        if (c.id == id) return &c;
    return nullptr;
}

ClassRecord* Content::findClass(const tSSRawGUID& id) {
    return const_cast<ClassRecord*>(static_cast<const Content*>(this)->findClass(id));
}

std::size_t Content::slotOf(const tSSRawGUID& id) const {
    const std::size_t mask = objectIndex_.size() - 1;
    std::size_t slot = GuidHash()(id) & mask;
    while (objectIndex_[slot] != kNoObject && !(objects[objectIndex_[slot]].id == id)) slot = (slot + 1) & mask;
    return slot;
}

void Content::reindex() {
    std::size_t size = 16;
    while (size < objects.size() * 2) size *= 2;
    objectIndex_.assign(size, kNoObject);
    for (std::size_t i = 0; i < objects.size(); ++i) objectIndex_[slotOf(objects[i].id)] = i;
}

const ObjectRecord* Content::findObject(const tSSRawGUID& id) const {
    if (objectIndex_.empty()) return nullptr;
    const std::size_t found = objectIndex_[slotOf(id)];
    return found == kNoObject ? nullptr : &objects[found];
}

void Content::addObject(ObjectRecord record) {
    objects.push_back(std::move(record));
    if (objectIndex_.size() < objects.size() * 2) {
        reindex();
    } else {
        objectIndex_[slotOf(objects.back().id)] = objects.size() - 1;
    }
}

bool Content::removeObject(const tSSRawGUID& id) {
    const ObjectRecord* found = findObject(id);
    if (found == nullptr) return false;
    objects.erase(objects.begin() + (found - objects.data()));
    reindex();
    return true;
}

ObjectRecord* Content::findObject(const tSSRawGUID& id) {
    return const_cast<ObjectRecord*>(static_cast<const Content*>(this)->findObject(id));
}

}  // namespace storage
}  // namespace orvsim
