#pragma once
// A storage object handed to observers: answers its ID.
#include <atomic>

#include "RefCounted.h"
#include "explorer/SvsStorage.h"

namespace orvsim {
namespace explorer {

class StorageObject final : public RefCounted<IsvsObject> {
public:
    explicit StorageObject(const GUID& id) : id_(id) {}

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetID(GUID* id) override;

    // Failure every GetID returns (0: none).
    static std::atomic<HRESULT> getIDFailure;

private:
    GUID id_;
};

}  // namespace explorer
}  // namespace orvsim
