#pragma once
// The explorer's property bags and the two enumerators it receives from experts.
#include "explorer/Com.h"

// The explorer's UTC timestamp record: whole seconds since 1970-01-01 00:00:00 UTC and the
// fraction of a second in units of 2^-64 s. All zero means "no time". Bags store it unchanged.
struct svSysAttrTimestampUTC {
    int64_t seconds;
    uint64_t fraction;
};
static_assert(sizeof(svSysAttrTimestampUTC) == 16, "the record is 16 bytes");

// Type codes of bag values (IsvSysPropertyBag::GetType).
enum svSysPropertyType : ULONG {
    kSvSysPropertyTypeBool = 1,
    kSvSysPropertyTypeI32 = 2,
    kSvSysPropertyTypeU32 = 3,
    kSvSysPropertyTypeDouble = 4,
    kSvSysPropertyTypeGuid = 5,
    kSvSysPropertyTypeString = 6,
    kSvSysPropertyTypeTimestamp = 7
};

// {B21429CD-0DDD-48FA-9DDD-33A1CFA79CDE}
inline constexpr IID IID_IsvSysEnumPropertyTag = {0xB21429CD, 0x0DDD, 0x48FA, {0x9D, 0xDD, 0x33, 0xA1, 0xCF, 0xA7, 0x9C, 0xDE}};
// {FB09815D-7F02-459F-87B8-78227BE84126}
inline constexpr IID IID_IsvSysEnumStringList = {0xFB09815D, 0x7F02, 0x459F, {0x87, 0xB8, 0x78, 0x22, 0x7B, 0xE8, 0x41, 0x26}};
// {9F3973B1-2DAD-4ED7-98E5-DF0BDA39414C}: the bag interface the explorer and experts exchange.
inline constexpr IID IID_IsvSysPropertyBag = {0x9F3973B1, 0x2DAD, 0x4ED7, {0x98, 0xE5, 0xDF, 0x0B, 0xDA, 0x39, 0x41, 0x4C}};
// {6E0A4C1B-3D52-4B8F-9A37-2C5D8E41F702}
inline constexpr IID IID_IsvSysPropertyBag2 = {0x6E0A4C1B, 0x3D52, 0x4B8F, {0x9A, 0x37, 0x2C, 0x5D, 0x8E, 0x41, 0xF7, 0x02}};
// {6E0A4C1C-3D52-4B8F-9A37-2C5D8E41F702}
inline constexpr IID IID_IsvSysPropertyBag3 = {0x6E0A4C1C, 0x3D52, 0x4B8F, {0x9A, 0x37, 0x2C, 0x5D, 0x8E, 0x41, 0xF7, 0x02}};
// {6E0A4C1D-3D52-4B8F-9A37-2C5D8E41F702}
inline constexpr IID IID_IsvSysPropertyBag4 = {0x6E0A4C1D, 0x3D52, 0x4B8F, {0x9A, 0x37, 0x2C, 0x5D, 0x8E, 0x41, 0xF7, 0x02}};

// Enumerators: Next with count other than 1 needs fetched; S_FALSE when fewer items than
// asked for were left.
class IsvSysEnumPropertyTag : public IUnknown {
public:
    virtual HRESULT Next(ULONG count, ULONG* tags, ULONG* fetched) = 0;   // 3
    virtual HRESULT Skip(ULONG count) = 0;                                // 4
    virtual HRESULT Reset() = 0;                                          // 5
    virtual HRESULT Clone(IsvSysEnumPropertyTag** enumerator) = 0;        // 6

protected:
    ~IsvSysEnumPropertyTag() = default;
};

// Next hands out new BSTRs that the caller frees.
class IsvSysEnumStringList : public IUnknown {
public:
    virtual HRESULT Next(ULONG count, BSTR* items, ULONG* fetched) = 0;   // 3
    virtual HRESULT Skip(ULONG count) = 0;                                // 4
    virtual HRESULT Reset() = 0;                                          // 5
    virtual HRESULT Clone(IsvSysEnumStringList** enumerator) = 0;         // 6

protected:
    ~IsvSysEnumStringList() = default;
};

// A map from 32-bit tag to typed value plus the set of tags written since the last reset.
// Setters create or overwrite a value of their type (SVSYS_E_PROP_MISMATCH for another type)
// and mark the tag modified; getters answer SVSYS_E_PROP_NOT_FOUND or SVSYS_E_PROP_MISMATCH.
class IsvSysPropertyBag : public IUnknown {
public:
    virtual HRESULT GetAllTags(IsvSysEnumPropertyTag** tags) = 0;                    // 3
    virtual HRESULT HasTag(ULONG tag) = 0;                                           // 4 S_OK / S_FALSE
    virtual HRESULT GetType(ULONG tag, ULONG* typeCode) = 0;                         // 5
    virtual HRESULT Remove(ULONG tag) = 0;                                           // 6
    virtual HRESULT RemoveAll() = 0;                                                 // 7
    virtual HRESULT SetBool(ULONG tag, BOOL value) = 0;                              // 8
    virtual HRESULT SetI32(ULONG tag, LONG value) = 0;                               // 9
    virtual HRESULT SetU32(ULONG tag, ULONG value) = 0;                              // 10
    virtual HRESULT SetDouble(ULONG tag, double value) = 0;                          // 11
    virtual HRESULT SetGuid(ULONG tag, const GUID* value) = 0;                       // 12
    virtual HRESULT SetString(ULONG tag, const wchar_t* value) = 0;                  // 13
    virtual HRESULT SetBlob(ULONG tag, ULONG size, const void* data) = 0;            // 14 not supported
    virtual HRESULT GetBool(ULONG tag, BOOL* value) = 0;                             // 15
    virtual HRESULT GetI32(ULONG tag, LONG* value) = 0;                              // 16
    virtual HRESULT GetU32(ULONG tag, ULONG* value) = 0;                             // 17
    virtual HRESULT GetDouble(ULONG tag, double* value) = 0;                         // 18
    virtual HRESULT GetGuid(ULONG tag, GUID* value) = 0;                             // 19
    virtual HRESULT GetString(ULONG tag, BSTR* value) = 0;                           // 20 caller frees
    virtual HRESULT GetTimestampFields(ULONG tag, ULONG* year, ULONG* month, ULONG* day,
                                       ULONG* hour, ULONG* minute, ULONG* second) = 0;  // 21 local time

protected:
    ~IsvSysPropertyBag() = default;
};

class IsvSysPropertyBag2 : public IsvSysPropertyBag {
public:
    virtual HRESULT Clone(IsvSysPropertyBag** copy) = 0;                            // 22 empty modified set
    virtual HRESULT ClearModified() = 0;                                            // 23 S_FALSE if it was empty
    virtual HRESULT GetModifiedTags(IsvSysEnumPropertyTag** tags) = 0;              // 24

protected:
    ~IsvSysPropertyBag2() = default;
};

class IsvSysPropertyBag3 : public IsvSysPropertyBag2 {
public:
    virtual HRESULT GetTimestamp(ULONG tag, svSysAttrTimestampUTC* value) = 0;       // 25
    virtual HRESULT SetTimestamp(ULONG tag, const svSysAttrTimestampUTC* value) = 0; // 26

protected:
    ~IsvSysPropertyBag3() = default;
};

class IsvSysPropertyBag4 : public IsvSysPropertyBag3 {
public:
    virtual HRESULT Lock() = 0;                                                      // 27
    virtual HRESULT Unlock() = 0;                                                    // 28 E_FAIL if not locked
    virtual HRESULT ClearModifiedTag(ULONG tag, BOOL* anyLeft) = 0;                  // 29 anyLeft may be null
    virtual HRESULT MarkModified(ULONG tag) = 0;                                     // 30

protected:
    // Slot 31. Never called by the explorer: Release ends a bag's life.
    virtual ~IsvSysPropertyBag4() = default;
};
