#include "quorrel/sysapicpp/ExpertAdapter.h"

#include "common/orverr/Exception.h"
#include "common/platform/WideText.h"
#include "explorer/ErrorInfo.h"
#include "quorrel/comsupport/CorvBStr.h"
#include "quorrel/sysapicpp/CallNotes.h"
#include "quorrel/sysapicpp/Enumerators.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

namespace {

// The failure's text as the thread's COM error information, so that a host can show it for
// calls that have no message argument; a failure without text leaves none.
void publishErrorInfo(const std::string& text) noexcept {
    IErrorInfo* info = nullptr;
    ICreateErrorInfo* created = nullptr;
    try {
        if (!text.empty() && SUCCEEDED(CreateErrorInfo(&created)) &&
            SUCCEEDED(created->SetSource(L"Quorrel")) &&
            SUCCEEDED(created->SetDescription(platform::utf8ToWide(text).c_str()))) {
            created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        }
    } catch (...) {
        // Without its text the failure still has its HRESULT.
    }
    SetErrorInfo(0, info);
    if (info != nullptr) info->Release();
    if (created != nullptr) created->Release();
}

// Hands text to the host as a new BSTR in *out.
void toBstr(const std::string& text, BSTR* out) { *out = CorvBStr::allocate(platform::utf8ToWide(text)); }

std::string fromWide(const wchar_t* text) {
    if (text == nullptr) SYSAPICPP_CHECK(E_POINTER);
    return platform::wideToUtf8(text);
}

}  // namespace

ExpertAdapterBase::ExpertAdapterBase() : sync_(static_cast<IsvSysExpert2*>(this)) {}

ExpertAdapterBase::~ExpertAdapterBase() = default;

const CORVComInterfaceEntry<ExpertAdapterBase>* ExpertAdapterBase::interfaceMap() {
    using Self = ExpertAdapterBase;
    static const CORVComInterfaceEntry<Self> map[] = {
        {&IID_IsvSysExpert2, &corvComCast<Self, IsvSysExpert2>},
        {&IID_IsvSysExpert, &corvComCast<Self, IsvSysExpert>},
        {&IID_IsvSysExpertInfo, &corvComCast<Self, IsvSysExpertInfo>},
        {&IID_IsvSysExpertPlugPlay, &corvComCast<Self, IsvSysExpertPlugPlay>},
        {nullptr, nullptr}};
    return map;
}

bool ExpertAdapterBase::hasExpert() {
    std::lock_guard<std::mutex> guard(expertLock_);
    return static_cast<bool>(expert_);
}

std::shared_ptr<Expert> ExpertAdapterBase::currentExpert() {
    std::lock_guard<std::mutex> guard(expertLock_);
    return expert_;
}

std::shared_ptr<Expert> ExpertAdapterBase::expert() {
    std::shared_ptr<Expert> current = currentExpert();
    if (!current) SYSAPICPP_THROW(UnexpectedException);
    return current;
}

template <class Body>
HRESULT ExpertAdapterBase::guarded(BSTR* message, Body&& body) noexcept {
    SetErrorInfo(0, nullptr);  // what an earlier call left belongs to that call
    CallNotes::begin();
    try {
        const HRESULT hr = body();
        // A call that succeeded despite faults tells of them the same way a failure does.
        const std::string notes = CallNotes::end();
        if (!notes.empty()) publishErrorInfo(notes);
        return hr;
    } catch (...) {
        CallNotes::end();
        std::string text;
        const HRESULT hr = mapCurrentException(text);
        publishErrorInfo(text);
        if (message != nullptr && *message == nullptr && !text.empty()) {
            try {
                toBstr(text, message);
            } catch (...) {
                // The HRESULT is what matters; a lost message text is not worth another failure.
            }
        }
        return hr;
    }
}

HRESULT ExpertAdapterBase::mapCurrentException(std::string& text) noexcept {
    try {
        // The expert classifies what it knows first; what it rethrows is mapped here.
        if (std::shared_ptr<Expert> current = currentExpert()) return current->translateCurrentException(&text);
    } catch (...) {
        return hresultOfCurrentException(&text);
    }
    return hresultOfCurrentException(&text);
}

HRESULT ExpertAdapterBase::infoString(BSTR* out, void (ExpertInfo::*read)(std::string&)) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return guarded(nullptr, [&] {
        std::string text;
        ((*expert()).*read)(text);
        toBstr(text, out);
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::GetID(GUID* id) {
    if (id == nullptr) return E_POINTER;
    return guarded(nullptr, [&] {
        expert()->getID(*id);
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::GetName(BSTR* name) { return infoString(name, &ExpertInfo::getName); }
HRESULT ExpertAdapterBase::GetVersion(BSTR* version) { return infoString(version, &ExpertInfo::getVersion); }
HRESULT ExpertAdapterBase::GetComponentName(BSTR* name) { return infoString(name, &ExpertInfo::getComponentName); }

HRESULT ExpertAdapterBase::Initialize() {
    return guarded(nullptr, [&] {
        std::shared_ptr<Expert> created = createExpert(sync_);
        std::shared_ptr<Expert> old;
        {
            std::lock_guard<std::mutex> guard(expertLock_);
            old.swap(expert_);
            expert_ = created;
        }
        // The replaced expert goes when its last call in flight ends (normally here).
        return S_OK;
    });
}

void ExpertAdapterBase::endExpert() {
    // The sink goes first: the expert's destruction runs what is queued, and none of it may
    // reach a host that asked for the end.
    sync_.disconnect();
    std::shared_ptr<Expert> old;
    {
        std::lock_guard<std::mutex> guard(expertLock_);
        old.swap(expert_);
    }
    old.reset();
}

HRESULT ExpertAdapterBase::Shutdown() {
    return guarded(nullptr, [&] {
        endExpert();
        return S_OK;
    });
}

void ExpertAdapterBase::finalRelease() noexcept {
    try {
        endExpert();
    } catch (...) {
        // Release has no way to report it; what is left goes with the members.
    }
}

HRESULT ExpertAdapterBase::GetAllPropertyBags(IsvSysPropertyBagCollection* collection) {
    if (collection == nullptr) return E_POINTER;
    return guarded(nullptr, [&] {
        std::vector<PropertyBagHandle> bags;
        expert()->getAllPropertyBags(bags);
        // Every bag is offered even when the collection refuses one; the first refusal is reported.
        HRESULT first = S_OK;
        for (const PropertyBagHandle& bag : bags) {
            const HRESULT added = collection->Add(bag.get());
            if (FAILED(added) && SUCCEEDED(first)) first = added;
        }
        SYSAPICPP_CHECK(first);
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::GetDeviceIDs(IsvSysEnumStringList** ids) {
    if (ids == nullptr) return E_POINTER;
    *ids = nullptr;
    return guarded(nullptr, [&] {
        std::vector<std::string> found;
        expert()->getDeviceIDs(found);
        StringList wide;
        wide.reserve(found.size());
        for (const std::string& id : found) wide.push_back(platform::utf8ToWide(id));
        SYSAPICPP_CHECK(createStringEnumerator(wide, ids));
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::GetPropertyBag(const wchar_t* id, IsvSysPropertyBag** bag) {
    if (bag == nullptr) return E_POINTER;
    *bag = nullptr;
    return guarded(nullptr, [&] {
        PropertyBagHandle found;
        expert()->getPropertyBag(found, fromWide(id));
        found.get()->AddRef();
        *bag = found.get();
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::RefreshPropertyBag(const wchar_t* id, ULONG count, const ULONG* tags, BOOL flag,
                                              IsvSysPropertyBag** bag) {
    if (tags == nullptr || bag == nullptr) return E_POINTER;
    *bag = nullptr;
    return guarded(nullptr, [&] {
        PropertyBagHandle found;
        expert()->refreshPropertyBag(found, fromWide(id), TagList(tags, tags + count), flag != FALSE);
        ULONG present = 0;
        for (ULONG i = 0; i < count; ++i)
            if (found.hasTag(tags[i])) ++present;
        found.get()->AddRef();
        *bag = found.get();
        if (present == count) return S_OK;
        return present == 0 ? SVSYS_E_PROP_NOT_FOUND : S_FALSE;
    });
}

HRESULT ExpertAdapterBase::Refresh() {
    return guarded(nullptr, [&] {
        if (std::shared_ptr<Expert> current = currentExpert()) current->refresh();
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::ExecuteCommand(const wchar_t* id, const wchar_t* command, ULONG flags, BSTR* output,
                                          ULONG* result) {
    return guarded(nullptr, [&] {
        std::string text;
        uint32_t value = 0;
        if (std::shared_ptr<Expert> current = currentExpert())
            current->executeCommand(platform::wideToUtf8(id), platform::wideToUtf8(command), flags, text, value);
        return E_NOTIMPL;
    });
}

HRESULT ExpertAdapterBase::ValidateProperties(const wchar_t* id, IUnknown* bag, IsvSysEnumPropertyTag** accepted,
                                              BSTR* message) {
    if (accepted != nullptr) *accepted = nullptr;
    if (message != nullptr) *message = nullptr;
    return guarded(message, [&] {
        const PropertyBagHandle submitted = PropertyBagHandle::fromUnknown(bag);
        std::set<uint32_t> tags;
        std::string text;
        expert()->validateProperties(fromWide(id), submitted, tags, text);
        if (!tags.empty() && accepted != nullptr) SYSAPICPP_CHECK(createTagEnumerator(TagSet(tags.begin(), tags.end()), accepted));
        if (message != nullptr) toBstr(text, message);
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::CommitProperties(const wchar_t* id, IUnknown* bag, ULONG* result) {
    return CommitPropertiesEx(id, bag, result, nullptr);
}

HRESULT ExpertAdapterBase::CommitPropertiesEx(const wchar_t* id, IUnknown* bag, ULONG* result, BSTR* message) {
    if (result == nullptr) return E_POINTER;
    if (message != nullptr) *message = nullptr;
    return guarded(message, [&] {
        const PropertyBagHandle submitted = PropertyBagHandle::fromUnknown(bag);
        uint32_t value = 0;
        std::string text;
        expert()->commitProperties(fromWide(id), submitted, value, text);
        *result = value;
        if (message != nullptr) toBstr(text, message);
        return S_OK;
    });
}

HRESULT ExpertAdapterBase::RegisterSink(IsvSysPlugPlaySink* sink) {
    return guarded(nullptr, [&] {
        sync_.connect(sink);
        return S_OK;
    });
}

}  // namespace sysapicpp
