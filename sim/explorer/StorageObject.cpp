#include "StorageObject.h"

namespace orvsim {
namespace explorer {

std::atomic<HRESULT> StorageObject::getIDFailure{0};

HRESULT StorageObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IsvsObject) {
        *object = static_cast<IsvsObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT StorageObject::GetID(GUID* id) {
    if (id == nullptr) return E_POINTER;
    HRESULT failure = getIDFailure.load();
    if (failure != 0) return failure;
    *id = id_;
    return S_OK;
}

}  // namespace explorer
}  // namespace orvsim
