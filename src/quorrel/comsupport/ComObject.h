#pragma once
// The COM support of the plug-in: reference counting and interface maps for objects the host
// receives. A class lists its interfaces in a static map; CORVComObject adds IUnknown on top.
#include <atomic>
#include <cstddef>
#include <new>
#include <utility>

#include "explorer/Com.h"

// Thread models: how a root object changes its reference count.
struct CORVComMultiThreadModelNoCS {
    static ULONG increment(std::atomic<ULONG>& count) noexcept { return ++count; }
    static ULONG decrement(std::atomic<ULONG>& count) noexcept { return --count; }
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
        if (found == nullptr) return E_NOINTERFACE;
        found->AddRef();
        *out = found;
        return S_OK;
    }

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
    std::atomic<ULONG> references_{0};
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
        if (left == 0) delete this;
        return left;
    }

    // A new object with reference count 0; E_OUTOFMEMORY when it cannot be allocated.
    template <class... Args>
    static HRESULT createInstance(CORVComObject** out, Args&&... args) noexcept {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        try {
            *out = new CORVComObject(std::forward<Args>(args)...);
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
};

// Holds one reference for the lifetime of a scope or member.
template <class I>
class CORVComPtr {
public:
    CORVComPtr() = default;
    explicit CORVComPtr(I* pointer, bool addReference = true) : pointer_(pointer) {
        if (pointer_ != nullptr && addReference) pointer_->AddRef();
    }
    CORVComPtr(const CORVComPtr& other) : CORVComPtr(other.pointer_) {}
    CORVComPtr(CORVComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    CORVComPtr& operator=(CORVComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~CORVComPtr() { reset(); }

    void reset() noexcept {
        if (pointer_ != nullptr) {
            I* old = pointer_;
            pointer_ = nullptr;
            old->Release();
        }
    }
    // Gives up the reference to the caller.
    I* detach() noexcept {
        I* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    // For out parameters: drops the current reference first.
    I** receive() noexcept {
        reset();
        return &pointer_;
    }
    I* get() const noexcept { return pointer_; }
    I* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

private:
    I* pointer_ = nullptr;
};
