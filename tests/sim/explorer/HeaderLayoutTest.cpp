// Pins the slot positions of the explorer interfaces: a plug-in and a host built separately
// agree only if every operation stays at its slot. A destructor listed in an interface table
// takes two table entries here (complete and deleting destructor), so slots after it move by one.
#include <gtest/gtest.h>

#include "explorer/SysExpert.h"

namespace {

// Every operation records the slot the interface table gives it.
int g_slot = -1;
#define RECORD(slot) \
    g_slot = slot;   \
    return S_OK

class SlotExpert final : public IsvSysExpert2 {
public:
    HRESULT QueryInterface(REFIID, void**) override { RECORD(0); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetID(GUID*) override { RECORD(3); }
    HRESULT GetName(BSTR*) override { RECORD(4); }
    HRESULT GetVersion(BSTR*) override { RECORD(5); }
    HRESULT GetComponentName(BSTR*) override { RECORD(6); }
    HRESULT Initialize() override { RECORD(7); }
    HRESULT Shutdown() override { RECORD(8); }
    HRESULT GetAllPropertyBags(IsvSysPropertyBagCollection*) override { RECORD(9); }
    HRESULT GetDeviceIDs(IsvSysEnumStringList**) override { RECORD(10); }
    HRESULT GetPropertyBag(const wchar_t*, IsvSysPropertyBag**) override { RECORD(11); }
    HRESULT RefreshPropertyBag(const wchar_t*, ULONG, const ULONG*, BOOL, IsvSysPropertyBag**) override { RECORD(12); }
    HRESULT Refresh() override { RECORD(13); }
    HRESULT ExecuteCommand(const wchar_t*, const wchar_t*, ULONG, BSTR*, ULONG*) override { RECORD(14); }
    HRESULT ValidateProperties(const wchar_t*, IUnknown*, IsvSysEnumPropertyTag**, BSTR*) override { RECORD(15); }
    HRESULT CommitProperties(const wchar_t*, IUnknown*, ULONG*) override { RECORD(16); }
    HRESULT CommitPropertiesEx(const wchar_t*, IUnknown*, ULONG*, BSTR*) override { RECORD(18); }
};

class SlotBag final : public IsvSysPropertyBag4 {
public:
    HRESULT QueryInterface(REFIID, void**) override { RECORD(0); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetAllTags(IsvSysEnumPropertyTag**) override { RECORD(3); }
    HRESULT HasTag(ULONG) override { RECORD(4); }
    HRESULT GetType(ULONG, ULONG*) override { RECORD(5); }
    HRESULT Remove(ULONG) override { RECORD(6); }
    HRESULT RemoveAll() override { RECORD(7); }
    HRESULT SetBool(ULONG, BOOL) override { RECORD(8); }
    HRESULT SetI32(ULONG, LONG) override { RECORD(9); }
    HRESULT SetU32(ULONG, ULONG) override { RECORD(10); }
    HRESULT SetDouble(ULONG, double) override { RECORD(11); }
    HRESULT SetGuid(ULONG, const GUID*) override { RECORD(12); }
    HRESULT SetString(ULONG, const wchar_t*) override { RECORD(13); }
    HRESULT SetBlob(ULONG, ULONG, const void*) override { RECORD(14); }
    HRESULT GetBool(ULONG, BOOL*) override { RECORD(15); }
    HRESULT GetI32(ULONG, LONG*) override { RECORD(16); }
    HRESULT GetU32(ULONG, ULONG*) override { RECORD(17); }
    HRESULT GetDouble(ULONG, double*) override { RECORD(18); }
    HRESULT GetGuid(ULONG, GUID*) override { RECORD(19); }
    HRESULT GetString(ULONG, BSTR*) override { RECORD(20); }
    HRESULT GetTimestampFields(ULONG, ULONG*, ULONG*, ULONG*, ULONG*, ULONG*, ULONG*) override { RECORD(21); }
    HRESULT Clone(IsvSysPropertyBag**) override { RECORD(22); }
    HRESULT ClearModified() override { RECORD(23); }
    HRESULT GetModifiedTags(IsvSysEnumPropertyTag**) override { RECORD(24); }
    HRESULT GetTimestamp(ULONG, svSysAttrTimestampUTC*) override { RECORD(25); }
    HRESULT SetTimestamp(ULONG, const svSysAttrTimestampUTC*) override { RECORD(26); }
    HRESULT Lock() override { RECORD(27); }
    HRESULT Unlock() override { RECORD(28); }
    HRESULT ClearModifiedTag(ULONG, BOOL*) override { RECORD(29); }
    HRESULT MarkModified(ULONG) override { RECORD(30); }
};

// Calls table entry `index` with null/zero arguments (enough for the recording operations).
int slotAt(void* object, int index) {
    using Entry = HRESULT (*)(void*, void*, void*, void*, void*, void*, void*);
    g_slot = -1;
    reinterpret_cast<Entry>((*reinterpret_cast<void***>(object))[index])(object, nullptr, nullptr, nullptr, nullptr,
                                                                          nullptr, nullptr);
    return g_slot;
}

TEST(HeaderLayout, ExpertSlots) {
    SlotExpert expert;
    for (int slot = 3; slot <= 16; ++slot) EXPECT_EQ(slotAt(&expert, slot), slot);
    EXPECT_EQ(slotAt(&expert, 19), 18);  // after the destructor's two entries
}

TEST(HeaderLayout, BagSlots) {
    SlotBag bag;
    for (int slot = 3; slot <= 30; ++slot) EXPECT_EQ(slotAt(&bag, slot), slot);
}

}  // namespace
