#pragma once
// The explorer's configuration storage as seen by experts: storage objects, the observer an
// expert subscribes, and the configuration interface (libsvs.so, svsGetConfiguration).
#include "explorer/Com.h"

// {F43DF302-FF3D-11D2-BFF4-006097B78002}
inline constexpr IID IID_IsvsObject = {0xF43DF302, 0xFF3D, 0x11D2, {0xBF, 0xF4, 0x00, 0x60, 0x97, 0xB7, 0x80, 0x02}};
// {F43DF303-FF3D-11D2-BFF4-006097B78002}
inline constexpr IID IID_IsvsStorageObserver = {0xF43DF303, 0xFF3D, 0x11D2, {0xBF, 0xF4, 0x00, 0x60, 0x97, 0xB7, 0x80, 0x02}};
// {F43DF304-FF3D-11D2-BFF4-006097B78002}
inline constexpr IID IID_IsvsConfiguration = {0xF43DF304, 0xFF3D, 0x11D2, {0xBF, 0xF4, 0x00, 0x60, 0x97, 0xB7, 0x80, 0x02}};

// Subscription of device objects: kind 11 with this category.
inline constexpr ULONG kSvsSubscriptionDevices = 11;
// {FD0CEC60-8263-383F-D0AF-C3369715499C}
inline constexpr GUID SVS_CATEGORY_DEVICES = {0xFD0CEC60, 0x8263, 0x383F, {0xD0, 0xAF, 0xC3, 0x36, 0x97, 0x15, 0x49, 0x9C}};

// Flags of svsGetConfiguration an expert passes.
inline constexpr ULONG kSvsConfigurationFlagsExpert = 0x840;

class IsvsObject : public IUnknown {
public:
    virtual HRESULT GetID(GUID* id) = 0;                                      // 3

protected:
    ~IsvsObject() = default;
};

// Called by the explorer, one call at a time; changes arrive between OnBeginBatch and
// OnEndBatch, which may nest.
class IsvsStorageObserver : public IUnknown {
public:
    virtual HRESULT OnBeginBatch() = 0;                                       // 3
    virtual HRESULT OnEndBatch() = 0;                                         // 4
    virtual HRESULT OnStorageReloaded() = 0;                                  // 5
    virtual HRESULT OnObjectAdded(IsvsObject* object) = 0;                    // 6
    virtual HRESULT OnObjectChanged(const GUID* id) = 0;                      // 7
    virtual HRESULT OnObjectRemoved(IsvsObject* object) = 0;                  // 8
    virtual HRESULT OnStorageClosing() = 0;                                   // 9

protected:
    ~IsvsStorageObserver() = default;
};

class IsvsConfiguration : public IUnknown {
public:
    virtual HRESULT GetFlags(ULONG* flags) = 0;                                       // 3
    virtual HRESULT GetName(BSTR* name) = 0;                                          // 4
    virtual HRESULT FindObject(const GUID* id, IsvsObject** object) = 0;              // 5 S_FALSE: none
    virtual HRESULT GetObjectCount(ULONG storageClass, ULONG* count) = 0;             // 6
    // Copies up to capacity IDs of the class; count receives how many exist.
    virtual HRESULT GetObjectIDs(ULONG storageClass, ULONG capacity, GUID* ids, ULONG* count) = 0;  // 7
    // Tells every observer that the storage was read again (OnStorageReloaded in a batch).
    virtual HRESULT Reload() = 0;                                                     // 8
    virtual HRESULT GetSubscriptionCount(ULONG* count) = 0;                           // 9
    // Holds a reference on the observer until it is unsubscribed; the same observer may be
    // subscribed more than once (unsubscribe once per subscription). Unsubscribe waits for a
    // call to the observer in progress on another thread; once it returns, the observer of
    // its last subscription receives no further calls.
    virtual HRESULT Subscribe(ULONG kind, const GUID* category, IsvsStorageObserver* observer) = 0;  // 10
    virtual HRESULT Unsubscribe(IsvsStorageObserver* observer) = 0;                   // 11

protected:
    ~IsvsConfiguration() = default;
};
