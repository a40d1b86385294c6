#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"

#include <new>

#include "common/platform/LocalTime.h"
#include "explorer/SvsResults.h"
#include "quorrel/sysapicpp/Enumerators.h"

namespace sysapicpp {
namespace {

constexpr ULONG kNoCalendarField = 0xFFFFFFFFu;

bool isZero(const svSysAttrTimestampUTC& stamp) { return stamp.seconds == 0 && stamp.fraction == 0; }

}  // namespace

const CORVComInterfaceEntry<CsvDynamicPropertyBagImpl>* CsvDynamicPropertyBagImpl::interfaceMap() {
    using Self = CsvDynamicPropertyBagImpl;
    static const CORVComInterfaceEntry<Self> map[] = {
        {&IID_IsvSysPropertyBag4, &corvComCast<Self, IsvSysPropertyBag4>},
        {&IID_IsvSysPropertyBag3, &corvComCast<Self, IsvSysPropertyBag3>},
        {&IID_IsvSysPropertyBag2, &corvComCast<Self, IsvSysPropertyBag2>},
        {&IID_IsvSysPropertyBag, &corvComCast<Self, IsvSysPropertyBag>},
        {nullptr, nullptr}};
    return map;
}

template <class Value>
HRESULT CsvDynamicPropertyBagImpl::setValue(ULONG tag, const typename Value::Type& value) {
    Kitbase::CorvCSLock guard(lock_);
    try {
        return values_.put<Value>(tag, value) ? S_OK : SVSYS_E_PROP_MISMATCH;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

template <class Value, class Out, class Convert>
HRESULT CsvDynamicPropertyBagImpl::getValue(ULONG tag, Out* out, Convert convert) {
    if (out == nullptr) return E_POINTER;
    Kitbase::CorvCSLock guard(lock_);
    const auto* stored = values_.get<Value>(tag);
    if (stored == nullptr) return values_.typeOf(tag) == 0 ? SVSYS_E_PROP_NOT_FOUND : SVSYS_E_PROP_MISMATCH;
    return convert(*stored, *out);
}

HRESULT CsvDynamicPropertyBagImpl::GetAllTags(IsvSysEnumPropertyTag** tags) {
    if (tags == nullptr) return E_POINTER;
    *tags = nullptr;
    Kitbase::CorvCSLock guard(lock_);
    if (values_.empty()) return S_FALSE;
    try {
        TagSet all;
        values_.forEachTag([&](uint32_t tag) { all.insert(all.end(), tag); });
        return createTagEnumerator(all, tags);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CsvDynamicPropertyBagImpl::HasTag(ULONG tag) {
    Kitbase::CorvCSLock guard(lock_);
    return values_.typeOf(tag) != 0 ? S_OK : S_FALSE;
}

HRESULT CsvDynamicPropertyBagImpl::GetType(ULONG tag, ULONG* typeCode) {
    if (typeCode == nullptr) return E_POINTER;
    Kitbase::CorvCSLock guard(lock_);
    const uint32_t stored = values_.typeOf(tag);
    if (stored == 0) return SVSYS_E_PROP_NOT_FOUND;
    *typeCode = stored;
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::Remove(ULONG tag) {
    Kitbase::CorvCSLock guard(lock_);
    // The tag's modified mark goes with its value.
    return values_.remove(tag) ? S_OK : SVSYS_E_PROP_NOT_FOUND;
}

HRESULT CsvDynamicPropertyBagImpl::RemoveAll() {
    Kitbase::CorvCSLock guard(lock_);
    // Modified marks go with the values: a modified tag without a value could not be cleared.
    values_.clear();
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::SetBool(ULONG tag, BOOL value) { return setValue<CsvBoolValue>(tag, value != 0); }
HRESULT CsvDynamicPropertyBagImpl::SetI32(ULONG tag, LONG value) { return setValue<CsvI32Value>(tag, value); }
HRESULT CsvDynamicPropertyBagImpl::SetU32(ULONG tag, ULONG value) { return setValue<CsvU32Value>(tag, value); }
HRESULT CsvDynamicPropertyBagImpl::SetDouble(ULONG tag, double value) { return setValue<CsvDoubleValue>(tag, value); }

HRESULT CsvDynamicPropertyBagImpl::SetGuid(ULONG tag, const GUID* value) {
    if (value == nullptr) return E_POINTER;
    return setValue<CsvGuidValue>(tag, *value);
}

HRESULT CsvDynamicPropertyBagImpl::SetString(ULONG tag, const wchar_t* value) {
    Kitbase::CorvCSLock guard(lock_);
    const uint32_t stored = values_.typeOf(tag);
    if (stored != 0 && stored != CsvStringValue::kTypeCode) return SVSYS_E_PROP_MISMATCH;
    // The bag keeps its own copy; the table takes it over.
    BSTR copy = SysAllocString(value != nullptr ? value : L"");
    if (copy == nullptr) return E_OUTOFMEMORY;
    try {
        return values_.put<CsvStringValue>(tag, copy) ? S_OK : SVSYS_E_PROP_MISMATCH;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CsvDynamicPropertyBagImpl::SetBlob(ULONG, ULONG, const void*) { return E_NOTIMPL; }

HRESULT CsvDynamicPropertyBagImpl::GetBool(ULONG tag, BOOL* value) {
    return getValue<CsvBoolValue>(tag, value, [](bool stored, BOOL& out) {
        out = stored ? TRUE : FALSE;
        return S_OK;
    });
}

template <class T>
static HRESULT copyOut(const T& stored, T& out) {
    out = stored;
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::GetI32(ULONG tag, LONG* value) {
    return getValue<CsvI32Value>(tag, value, copyOut<int32_t>);
}
HRESULT CsvDynamicPropertyBagImpl::GetU32(ULONG tag, ULONG* value) {
    return getValue<CsvU32Value>(tag, value, copyOut<uint32_t>);
}
HRESULT CsvDynamicPropertyBagImpl::GetDouble(ULONG tag, double* value) {
    return getValue<CsvDoubleValue>(tag, value, copyOut<double>);
}
HRESULT CsvDynamicPropertyBagImpl::GetGuid(ULONG tag, GUID* value) {
    return getValue<CsvGuidValue>(tag, value, copyOut<GUID>);
}
HRESULT CsvDynamicPropertyBagImpl::GetTimestamp(ULONG tag, svSysAttrTimestampUTC* value) {
    return getValue<CsvTimestampValue>(tag, value, copyOut<svSysAttrTimestampUTC>);
}

HRESULT CsvDynamicPropertyBagImpl::GetString(ULONG tag, BSTR* value) {
    if (value != nullptr) *value = nullptr;
    return getValue<CsvStringValue>(tag, value, [](const BSTR& stored, BSTR& out) {
        out = SysAllocStringLen(stored, SysStringLen(stored));
        return out != nullptr ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT CsvDynamicPropertyBagImpl::GetTimestampFields(ULONG tag, ULONG* year, ULONG* month, ULONG* day, ULONG* hour,
                                                      ULONG* minute, ULONG* second) {
    if (year == nullptr || month == nullptr || day == nullptr || hour == nullptr || minute == nullptr ||
        second == nullptr)
        return E_POINTER;
    svSysAttrTimestampUTC stamp{};
    const HRESULT hr = GetTimestamp(tag, &stamp);
    if (FAILED(hr)) return hr;
    platform::CalendarFields fields;
    if (isZero(stamp) || !platform::localCalendarFields(stamp.seconds, fields)) {
        *year = *month = *day = *hour = *minute = *second = kNoCalendarField;
    } else {
        *year = fields.year, *month = fields.month, *day = fields.day;
        *hour = fields.hour, *minute = fields.minute, *second = fields.second;
    }
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::SetTimestamp(ULONG tag, const svSysAttrTimestampUTC* value) {
    if (value == nullptr) return E_POINTER;
    return setValue<CsvTimestampValue>(tag, *value);
}

HRESULT CsvDynamicPropertyBagImpl::Clone(IsvSysPropertyBag** copy) {
    if (copy == nullptr) return E_POINTER;
    *copy = nullptr;
    CORVComPtr<CsvDynamicPropertyBag> made;
    const HRESULT hr = CsvDynamicPropertyBag::createInstance(made);
    if (FAILED(hr)) return hr;
    Kitbase::CorvCSLock guard(lock_);
    try {
        made->values_ = values_.copyValues();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *copy = static_cast<IsvSysPropertyBag4*>(made.detach());
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::ClearModified() {
    Kitbase::CorvCSLock guard(lock_);
    return values_.clearAllModified() ? S_OK : S_FALSE;
}

HRESULT CsvDynamicPropertyBagImpl::GetModifiedTags(IsvSysEnumPropertyTag** tags) {
    if (tags == nullptr) return E_POINTER;
    *tags = nullptr;
    Kitbase::CorvCSLock guard(lock_);
    if (values_.modifiedCount() == 0) return S_FALSE;
    try {
        TagSet modified;
        values_.forEachModifiedTag([&](uint32_t tag) { modified.insert(modified.end(), tag); });
        return createTagEnumerator(modified, tags);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CsvDynamicPropertyBagImpl::Lock() {
    lock_.lock();
    ++externalLocks_;
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::Unlock() {
    // Ownership first: a thread that does not hold the bag must not wait for the holder.
    if (!lock_.heldByCurrentThread()) return E_FAIL;
    Kitbase::CorvCSLock guard(lock_);
    if (externalLocks_ == 0) return E_FAIL;
    --externalLocks_;
    lock_.unlock();
    return S_OK;
}

HRESULT CsvDynamicPropertyBagImpl::ClearModifiedTag(ULONG tag, BOOL* anyLeft) {
    Kitbase::CorvCSLock guard(lock_);
    if (values_.typeOf(tag) == 0) return SVSYS_E_PROP_NOT_FOUND;
    const bool removed = values_.clearModified(tag);
    if (anyLeft != nullptr) *anyLeft = values_.modifiedCount() == 0 ? FALSE : TRUE;
    return removed ? S_OK : S_FALSE;
}

HRESULT CsvDynamicPropertyBagImpl::MarkModified(ULONG tag) {
    Kitbase::CorvCSLock guard(lock_);
    return values_.markModified(tag) ? S_OK : SVSYS_E_PROP_NOT_FOUND;
}

HRESULT createPropertyBag(IsvSysPropertyBag4** out) noexcept {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    CORVComPtr<CsvDynamicPropertyBag> made;
    const HRESULT hr = CsvDynamicPropertyBag::createInstance(made);
    if (FAILED(hr)) return hr;
    *out = made.detach();
    return S_OK;
}

}  // namespace sysapicpp
