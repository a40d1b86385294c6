#pragma once
// The COM support of the plug-in: reference counting and interface maps for objects the host
// receives. A class lists its interfaces in a static map; CORVComObject adds IUnknown on top.
#include <atomic>
#include <cstddef>
#include <new>
#include <utility>

#include "explorer/Com.h"
#include "explorer/ComPtr.h"

template <class I>
using CORVComPtr = ComPtr<I>;

// Traces the first request of each unknown interface from each interface map; later requests
// of the same pair stay silent, so a host that probes on every call does not flood the trace.
void corvComTraceUnknownInterface(const void* map, REFIID iid) noexcept;

// Thread models: how a root object changes its reference count.
struct CORVComMultiThreadModelNoCS {
    // What the count holds while the object's final release runs: a call back into the dying
    // object (a sink's QueryInterface on its sender) adds and drops a reference without ever
    // bringing the count to 0 a second time.
    static constexpr ULONG kFinalReleaseCount = 0x40000000u;

    static ULONG increment(std::atomic<ULONG>& count) noexcept { return ++count; }
    // What is left; 0 only for the one call that dropped the last reference. The last reference
    // turns into kFinalReleaseCount in one step, so no other thread ever sees the count at 0.
    static ULONG decrement(std::atomic<ULONG>& count) noexcept {
        ULONG current = count.load();
        while (!count.compare_exchange_weak(current, current == 1 ? kFinalReleaseCount : current - 1)) {
        }
        return current - 1;
    }
};

// One line of an interface map: the identifier and how to reach that interface from the object.
template <class T>
struct CORVComInterfaceEntry {
    const IID* iid;
    IUnknown* (*cast)(T& object);
};

// The pointer QueryInterface hands out for interface I of object T (the same address as I*:
// every interface derives from IUnknown alone).
template <class T, class I>
IUnknown* corvComCast(T& object) {
    return static_cast<I*>(&object);
}

template <class T>
struct CORVComIdentity {
    using type = T;
};

class CORVComObjectRootBase {
public:
    CORVComObjectRootBase() = default;
    CORVComObjectRootBase(const CORVComObjectRootBase&) = delete;
    CORVComObjectRootBase& operator=(const CORVComObjectRootBase&) = delete;

    // Answers from the map: IUnknown is the first entry's interface.
    // T comes from the map, so that a derived object answers through its base's map.
    template <class T>
    static HRESULT internalQueryInterface(typename CORVComIdentity<T>::type& object,
                                          const CORVComInterfaceEntry<T>* map, REFIID iid, void** out) noexcept {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (map == nullptr || map->iid == nullptr) return E_NOINTERFACE;
        IUnknown* found = nullptr;
        if (iid == IID_IUnknown) {
            found = map->cast(object);
        } else {
            for (const CORVComInterfaceEntry<T>* entry = map; entry->iid != nullptr; ++entry) {
                if (*entry->iid == iid) {
                    found = entry->cast(object);
                    break;
                }
            }
        }
        if (found == nullptr) {
            corvComTraceUnknownInterface(map, iid);
            return E_NOINTERFACE;
        }
        found->AddRef();
        *out = found;
        return S_OK;
    }

    // Runs when the last reference went, before the object is deleted and while it is still
    // whole (every interface answers). A class that must end work that calls back into it
    // hides this with its own.
    void finalRelease() noexcept {}

protected:
    ~CORVComObjectRootBase() = default;
};

template <class ThreadModel>
class CORVComObjectRootEx : public CORVComObjectRootBase {
public:
    ULONG internalAddRef() noexcept { return ThreadModel::increment(references_); }
    ULONG internalRelease() noexcept { return ThreadModel::decrement(references_); }
    ULONG referenceCount() const noexcept { return references_.load(); }

protected:
    ~CORVComObjectRootEx() = default;

private:
    // A new object's one reference belongs to its creator (see CORVComObject::createInstance).
    std::atomic<ULONG> references_{1};
};

// The object the host holds: Base supplies interfaceMap() and the reference count root; this
// layer implements IUnknown for every interface Base derives from and deletes itself at 0.
template <class Base>
class CORVComObject final : public Base {
public:
    template <class... Args>
    explicit CORVComObject(Args&&... args) : Base(std::forward<Args>(args)...) {}

    HRESULT QueryInterface(REFIID iid, void** out) override {
        return CORVComObjectRootBase::internalQueryInterface(*this, Base::interfaceMap(), iid, out);
    }
    ULONG AddRef() override { return this->internalAddRef(); }
    ULONG Release() override {
        const ULONG left = this->internalRelease();
        if (left == 0) {
            this->finalRelease();
            delete this;
        }
        return left;
    }

    // A new object whose one reference `out` holds; E_OUTOFMEMORY when it cannot be allocated.
    template <class... Args>
    static HRESULT createInstance(CORVComPtr<CORVComObject>& out, Args&&... args) noexcept {
        out.reset();
        try {
            out = CORVComPtr<CORVComObject>(new CORVComObject(std::forward<Args>(args)...), false);
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
};
