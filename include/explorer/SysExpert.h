#pragma once
// The expert interfaces the explorer uses on a plug-in, and the explorer objects an expert calls.
#include "explorer/PropertyBag.h"

// {9C257614-172D-4D5D-81BB-3D4F72BD30A4}
inline constexpr IID IID_IsvSysExpertInfo = {0x9C257614, 0x172D, 0x4D5D, {0x81, 0xBB, 0x3D, 0x4F, 0x72, 0xBD, 0x30, 0xA4}};
// {B259235B-6978-4402-8910-E19E1295F326}
inline constexpr IID IID_IsvSysExpert = {0xB259235B, 0x6978, 0x4402, {0x89, 0x10, 0xE1, 0x9E, 0x12, 0x95, 0xF3, 0x26}};
// {CF3357AD-3023-4121-A60E-2FF9B3A87BEE}
inline constexpr IID IID_IsvSysExpert2 = {0xCF3357AD, 0x3023, 0x4121, {0xA6, 0x0E, 0x2F, 0xF9, 0xB3, 0xA8, 0x7B, 0xEE}};
// {C20E7758-0346-431A-A411-BF7C1E736A60}
inline constexpr IID IID_IsvSysExpertPlugPlay = {0xC20E7758, 0x0346, 0x431A, {0xA4, 0x11, 0xBF, 0x7C, 0x1E, 0x73, 0x6A, 0x60}};
// {3A7E52D0-8C41-4F0B-B6E2-5D19A0C47E31}
inline constexpr IID IID_IsvSysPlugPlaySink = {0x3A7E52D0, 0x8C41, 0x4F0B, {0xB6, 0xE2, 0x5D, 0x19, 0xA0, 0xC4, 0x7E, 0x31}};
// {3A7E52D1-8C41-4F0B-B6E2-5D19A0C47E31}
inline constexpr IID IID_IsvSysPropertyBagCollection = {0x3A7E52D1, 0x8C41, 0x4F0B, {0xB6, 0xE2, 0x5D, 0x19, 0xA0, 0xC4, 0x7E, 0x31}};

// Notification kinds of the plug-and-play sink.
enum svSysNotificationKind : ULONG {
    kSvSysDevicesAdded = 1,
    kSvSysDevicesRemoved = 2,
    kSvSysDevicesChanged = 3
};

// The explorer's sink for device notifications. What the plug-in promises and asks:
// - OnDevicesChanged is called only from the expert's worker threads ("Quorrel::Worker"), never
//   from the thread that called the expert, a storage callback or the folder monitor; one call
//   at a time, in posting order.
// - The expert's sink lock (recursive) is held for the whole call; no other plug-in lock is (not
//   the bag cache's, a bag's, the debug file's or the task queue's).
// - The sink may call back into the expert and its bags on that thread, RegisterSink, Shutdown
//   and the host's last Release included.
// - It must not wait for another thread that is in RegisterSink, Shutdown or the last Release of
//   the same expert (or waits for one): they wait for the call in progress to return. Nor for a
//   later notification: none comes while it runs.
// - sender is the expert's IsvSysExpert2 without an added reference, valid during the call; the
//   list too. AddRef what is kept. The returned HRESULT is ignored.
// - After RegisterSink, Shutdown or the last Release returned, the old sink is never called again
//   and queued notifications are dropped.
class IsvSysPlugPlaySink : public IUnknown {
public:
    virtual HRESULT OnDevicesChanged(IUnknown* sender, ULONG kind, IsvSysEnumStringList* deviceIDs) = 0;  // 3

protected:
    ~IsvSysPlugPlaySink() = default;
};

// The explorer's collection of bags; Add takes its own reference.
class IsvSysPropertyBagCollection : public IUnknown {
public:
    virtual HRESULT GetCount(ULONG* count) = 0;                               // 3
    virtual HRESULT GetItem(ULONG index, IsvSysPropertyBag** bag) = 0;        // 4
    virtual HRESULT Add(IsvSysPropertyBag* bag) = 0;                          // 5

protected:
    ~IsvSysPropertyBagCollection() = default;
};

class IsvSysExpertInfo : public IUnknown {
public:
    virtual HRESULT GetID(GUID* id) = 0;                                      // 3
    virtual HRESULT GetName(BSTR* name) = 0;                                  // 4
    virtual HRESULT GetVersion(BSTR* version) = 0;                            // 5
    virtual HRESULT GetComponentName(BSTR* name) = 0;                         // 6

protected:
    ~IsvSysExpertInfo() = default;
};

class IsvSysExpert : public IsvSysExpertInfo {
public:
    virtual HRESULT Initialize() = 0;                                                     // 7
    virtual HRESULT Shutdown() = 0;                                                       // 8
    virtual HRESULT GetAllPropertyBags(IsvSysPropertyBagCollection* collection) = 0;      // 9
    virtual HRESULT GetDeviceIDs(IsvSysEnumStringList** ids) = 0;                         // 10
    virtual HRESULT GetPropertyBag(const wchar_t* id, IsvSysPropertyBag** bag) = 0;       // 11
    // S_OK all tags present, S_FALSE some, SVSYS_E_PROP_NOT_FOUND none (count 0: S_OK).
    virtual HRESULT RefreshPropertyBag(const wchar_t* id, ULONG count, const ULONG* tags,
                                       BOOL flag, IsvSysPropertyBag** bag) = 0;           // 12
    virtual HRESULT Refresh() = 0;                                                        // 13
    virtual HRESULT ExecuteCommand(const wchar_t* id, const wchar_t* command, ULONG flags,
                                   BSTR* output, ULONG* result) = 0;                      // 14
    // accepted is null when no tag was accepted; message may be null.
    virtual HRESULT ValidateProperties(const wchar_t* id, IUnknown* bag,
                                       IsvSysEnumPropertyTag** accepted, BSTR* message) = 0;  // 15
    virtual HRESULT CommitProperties(const wchar_t* id, IUnknown* bag, ULONG* result) = 0;    // 16

protected:
    // Slot 17. Never called by the explorer: Release ends the expert's life.
    virtual ~IsvSysExpert() = default;
};

class IsvSysExpert2 : public IsvSysExpert {
public:
    // message may be null.
    virtual HRESULT CommitPropertiesEx(const wchar_t* id, IUnknown* bag, ULONG* result,
                                       BSTR* message) = 0;                                // 18

protected:
    ~IsvSysExpert2() override = default;
};

class IsvSysExpertPlugPlay : public IUnknown {
public:
    // Registers the sink (replacing and releasing an earlier one); null disconnects. Waits for a
    // call of the old sink in progress on another thread (see IsvSysPlugPlaySink).
    virtual HRESULT RegisterSink(IsvSysPlugPlaySink* sink) = 0;                           // 3

protected:
    ~IsvSysExpertPlugPlay() = default;
};
