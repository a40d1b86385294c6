#pragma once
// The property bag the expert hands to the host: tags mapped to typed values, the set of tags
// written since the last reset, and a lock the host may hold across calls.
#include <cstdint>

#include "explorer/PropertyBag.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/sysapicpp/PropertyTable.h"

namespace sysapicpp {

class CsvDynamicPropertyBagImpl : public IsvSysPropertyBag4,
                                  public CORVComObjectRootEx<CORVComMultiThreadModelNoCS> {
public:
    HRESULT GetAllTags(IsvSysEnumPropertyTag** tags) override;
    HRESULT HasTag(ULONG tag) override;
    HRESULT GetType(ULONG tag, ULONG* typeCode) override;
    HRESULT Remove(ULONG tag) override;
    HRESULT RemoveAll() override;
    HRESULT SetBool(ULONG tag, BOOL value) override;
    HRESULT SetI32(ULONG tag, LONG value) override;
    HRESULT SetU32(ULONG tag, ULONG value) override;
    HRESULT SetDouble(ULONG tag, double value) override;
    HRESULT SetGuid(ULONG tag, const GUID* value) override;
    HRESULT SetString(ULONG tag, const wchar_t* value) override;
    HRESULT SetBlob(ULONG tag, ULONG size, const void* data) override;
    HRESULT GetBool(ULONG tag, BOOL* value) override;
    HRESULT GetI32(ULONG tag, LONG* value) override;
    HRESULT GetU32(ULONG tag, ULONG* value) override;
    HRESULT GetDouble(ULONG tag, double* value) override;
    HRESULT GetGuid(ULONG tag, GUID* value) override;
    HRESULT GetString(ULONG tag, BSTR* value) override;
    HRESULT GetTimestampFields(ULONG tag, ULONG* year, ULONG* month, ULONG* day, ULONG* hour, ULONG* minute,
                               ULONG* second) override;
    HRESULT Clone(IsvSysPropertyBag** copy) override;
    HRESULT ClearModified() override;
    HRESULT GetModifiedTags(IsvSysEnumPropertyTag** tags) override;
    HRESULT GetTimestamp(ULONG tag, svSysAttrTimestampUTC* value) override;
    HRESULT SetTimestamp(ULONG tag, const svSysAttrTimestampUTC* value) override;
    HRESULT Lock() override;
    HRESULT Unlock() override;
    HRESULT ClearModifiedTag(ULONG tag, BOOL* anyLeft) override;
    HRESULT MarkModified(ULONG tag) override;

    static const CORVComInterfaceEntry<CsvDynamicPropertyBagImpl>* interfaceMap();

protected:
    CsvDynamicPropertyBagImpl() = default;
    ~CsvDynamicPropertyBagImpl() override = default;

private:
    template <class Value>
    HRESULT setValue(ULONG tag, const typename Value::Type& value);
    template <class Value, class Out, class Convert>
    HRESULT getValue(ULONG tag, Out* out, Convert convert);

    Kitbase::CorvCS lock_;
    PropertyTable values_;
    uint32_t externalLocks_ = 0;
};

using CsvDynamicPropertyBag = CORVComObject<CsvDynamicPropertyBagImpl>;

// A new empty bag with one reference for the caller.
HRESULT createPropertyBag(IsvSysPropertyBag4** out) noexcept;

}  // namespace sysapicpp
