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

const ObjectRecord* Content::findObject(const tSSRawGUID& id) const {
    const auto found = objectIndex_.find(id);
    return found == objectIndex_.end() ? nullptr : &objects[found->second];
}

void Content::addObject(ObjectRecord record) {
    const tSSRawGUID id = record.id;
    objects.push_back(std::move(record));
    objectIndex_.emplace(id, objects.size() - 1);
}

bool Content::removeObject(const tSSRawGUID& id) {
    const auto found = objectIndex_.find(id);
    if (found == objectIndex_.end()) return false;
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(found->second));
    objectIndex_.clear();
    for (std::size_t i = 0; i < objects.size(); ++i) objectIndex_.emplace(objects[i].id, i);
    return true;
}

ObjectRecord* Content::findObject(const tSSRawGUID& id) {
    return const_cast<ObjectRecord*>(static_cast<const Content*>(this)->findObject(id));
}

}  // namespace storage
}  // namespace orvsim
