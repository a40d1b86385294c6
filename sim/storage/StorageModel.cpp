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
    for (const ObjectRecord& o : objects)
        if (o.id == id) return &o;
    return nullptr;
}

ObjectRecord* Content::findObject(const tSSRawGUID& id) {
    return const_cast<ObjectRecord*>(static_cast<const Content*>(this)->findObject(id));
}

}  // namespace storage
}  // namespace orvsim
