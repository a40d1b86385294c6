#pragma once
// Interlocked reference counting of the explorer's own COM objects; born with one reference.
#include <atomic>

#include "explorer/Com.h"
#include "palu/tSSRawGUID.h"

namespace orvsim {
namespace explorer {

template <typename Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    std::atomic<ULONG> references_{1};
};

inline GUID toGuid(const tSSRawGUID& id) {
    GUID result{id.Data1, id.Data2, id.Data3, {}};
    for (int i = 0; i < 8; ++i) result.Data4[i] = id.Data4[i];
    return result;
}

inline tSSRawGUID toRawGuid(const GUID& id) {
    tSSRawGUID result{id.Data1, id.Data2, id.Data3, {}};
    for (int i = 0; i < 8; ++i) result.Data4[i] = id.Data4[i];
    return result;
}

}  // namespace explorer
}  // namespace orvsim
