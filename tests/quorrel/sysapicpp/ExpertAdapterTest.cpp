#include <gtest/gtest.h>

#include <functional>

#include "support/ComTestSupport.h"
#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "explorer/SvsResults.h"
#include "explorer/SvsStorage.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/CsvsException.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Exceptions.h"
#include "quorrel/sysapicpp/ExpertAdapter.h"

using namespace quorreltest;

namespace {

// An inner expert whose behaviour each test sets; counts how many exist.
class ScriptedExpert : public sysapicpp::Expert {
public:
    static int alive;
    static std::function<void()> onDeviceIDs;
    // Runs as the expert goes, as a real one runs its queued notifications then.
    static std::function<void(sysapicpp::NotificationHandler&)> onDestroy;

    explicit ScriptedExpert(sysapicpp::NotificationHandler& sink) : sink_(sink) { ++alive; }
    ~ScriptedExpert() override {
        if (onDestroy) onDestroy(sink_);
        --alive;
    }

    void getID(GUID& out) override { out = IID_IsvSysExpert; }
    void getName(std::string& out) override { out = "Scripted \xC3\xA9xpert"; }
    void getVersion(std::string& out) override { out = "1.0"; }
    void getDeviceIDs(std::vector<std::string>& out) override {
        if (onDeviceIDs) onDeviceIDs();
        out = {"{A}", "{B}"};
    }
    void getAllPropertyBags(std::vector<sysapicpp::PropertyBagHandle>& out) override { out = {bag(L"{A}")}; }
    void getPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& id) override {
        if (id != "{A}") SYSAPICPP_THROW(ItemNotExistException);
        out = bag(L"{A}");
    }
    void refreshPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& id, const sysapicpp::TagList&,
                            bool) override {
        getPropertyBag(out, id);
        sink_.notify(sysapicpp::kDevicesChanged, id);
    }
    void refresh() override {}
    void validateProperties(const std::string&, const sysapicpp::PropertyBagHandle& submitted,
                            std::set<uint32_t>& accepted, std::string& message) override {
        for (uint32_t tag : submitted.modifiedTags()) accepted.insert(tag);
        message = "checked";
    }
    void commitProperties(const std::string&, const sysapicpp::PropertyBagHandle& submitted, uint32_t& result,
                          std::string&) override {
        result = submitted.getU32(7);
    }

    static sysapicpp::PropertyBagHandle bag(const std::wstring& id) {
        IsvSysPropertyBag4* made = nullptr;
        SYSAPICPP_CHECK(sysapicpp::createPropertyBag(&made));
        sysapicpp::PropertyBagHandle handle(made);
        made->Release();
        handle.setString(0x0101D000, id);
        handle.setU32(7, 70);
        return handle;
    }

private:
    sysapicpp::NotificationHandler& sink_;
};
int ScriptedExpert::alive = 0;
std::function<void()> ScriptedExpert::onDeviceIDs;
std::function<void(sysapicpp::NotificationHandler&)> ScriptedExpert::onDestroy;

using AdapterObject = CORVComObject<sysapicpp::ExpertAdapter<ScriptedExpert>>;

class Adapter : public ::testing::Test {
protected:
    void SetUp() override {
        ComPtr<AdapterObject> made;
        ASSERT_EQ(S_OK, AdapterObject::createInstance(made));
        expert = ComPtr<IsvSysExpert2>(made.detach(), false);
    }
    void TearDown() override {
        ScriptedExpert::onDeviceIDs = nullptr;
        ScriptedExpert::onDestroy = nullptr;
        expert.reset();
        EXPECT_EQ(0, ScriptedExpert::alive);
    }
    HRESULT deviceIDsFailingWith(std::function<void()> thrower) {
        ScriptedExpert::onDeviceIDs = std::move(thrower);
        ComPtr<IsvSysEnumStringList> ids;
        const HRESULT hr = expert->GetDeviceIDs(ids.out());
        EXPECT_EQ(nullptr, ids.get());
        return hr;
    }
    ComPtr<IsvSysExpert2> expert;
};

// A sink that records what it was told.
class RecordingSink : public IsvSysPlugPlaySink {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT OnDevicesChanged(IUnknown* sender, ULONG kind, IsvSysEnumStringList* ids) override {
        ++calls;
        // What a host does with the sender: ask it for an interface.
        ComPtr<IsvSysExpert> asked;
        EXPECT_EQ(S_OK, sender->QueryInterface(IID_IsvSysExpert, asked.outVoid()));
        lastSender = sender;
        lastKind = kind;
        lastIds = drain(ids);
        return S_OK;
    }
    ULONG references = 0;
    int calls = 0;
    IUnknown* lastSender = nullptr;
    ULONG lastKind = 0;
    std::vector<std::wstring> lastIds;
};

}  // namespace

TEST_F(Adapter, AnswersTheHostInterfaces) {
    for (const IID* iid : {&IID_IUnknown, &IID_IsvSysExpertInfo, &IID_IsvSysExpert, &IID_IsvSysExpert2}) {
        void* answer = nullptr;
        ASSERT_EQ(S_OK, expert->QueryInterface(*iid, &answer));
        EXPECT_EQ(static_cast<void*>(static_cast<IUnknown*>(expert.get())), answer);
        static_cast<IUnknown*>(answer)->Release();
    }
    ComPtr<IsvSysExpertPlugPlay> plugPlay;
    ASSERT_EQ(S_OK, expert->QueryInterface(IID_IsvSysExpertPlugPlay, plugPlay.outVoid()));
    EXPECT_NE(static_cast<void*>(static_cast<IUnknown*>(expert.get())), static_cast<void*>(plugPlay.get()));
    // Every interface reaches the same object and count.
    ComPtr<IsvSysExpert2> back;
    ASSERT_EQ(S_OK, plugPlay->QueryInterface(IID_IsvSysExpert2, back.outVoid()));
    EXPECT_EQ(expert.get(), back.get());
    EXPECT_EQ(3u, referenceCount(expert.get()));
    void* none = nullptr;
    EXPECT_EQ(E_NOINTERFACE, expert->QueryInterface(IID_IsvSysPropertyBag, &none));
}

TEST_F(Adapter, CallsBeforeInitialiseFailInsteadOfCrashing) {
    GUID id{};
    BstrHolder text;
    ComPtr<IsvSysEnumStringList> ids;
    ComPtr<IsvSysPropertyBag> bag;
    EXPECT_EQ(E_UNEXPECTED, expert->GetID(&id));
    EXPECT_EQ(E_UNEXPECTED, expert->GetName(text.out()));
    EXPECT_EQ(E_UNEXPECTED, expert->GetDeviceIDs(ids.out()));
    EXPECT_EQ(E_UNEXPECTED, expert->GetPropertyBag(L"{A}", bag.out()));
    EXPECT_EQ(S_OK, expert->Refresh());
    EXPECT_EQ(E_NOTIMPL, expert->ExecuteCommand(L"{A}", L"x", 0, text.out(), nullptr));
    EXPECT_EQ(S_OK, expert->Shutdown());
}

TEST_F(Adapter, IdentityAndStringsAfterInitialise) {
    GUID id{};
    EXPECT_EQ(E_POINTER, expert->GetID(nullptr));
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(1, ScriptedExpert::alive);
    EXPECT_EQ(S_OK, expert->GetID(&id));
    EXPECT_TRUE(id == IID_IsvSysExpert);
    BstrHolder text;
    EXPECT_EQ(S_OK, expert->GetName(text.out()));
    EXPECT_EQ(L"Scripted \u00e9xpert", text.str());
    EXPECT_EQ(S_OK, expert->GetComponentName(text.out()));
    EXPECT_EQ(L"Quorrel", text.str());
    EXPECT_EQ(E_POINTER, expert->GetVersion(nullptr));
    EXPECT_EQ(E_NOTIMPL, expert->ExecuteCommand(L"{A}", L"x", 0, text.out(), nullptr));

    // A second initialise replaces the expert.
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(1, ScriptedExpert::alive);
    ASSERT_EQ(S_OK, expert->Shutdown());
    EXPECT_EQ(0, ScriptedExpert::alive);
}

TEST_F(Adapter, ExceptionsMapToHResults) {
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(E_FAIL, deviceIDsFailingWith([] { ORVERR_THROW(orverr::codes::kSoftwareFault).raise(); }));
    EXPECT_EQ(E_OUTOFMEMORY, deviceIDsFailingWith([] { throw std::bad_alloc(); }));
    EXPECT_EQ(SVSYS_E_ITEM_NOT_EXIST, deviceIDsFailingWith([] { SYSAPICPP_THROW(ItemNotExistException); }));
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, deviceIDsFailingWith([] { SYSAPICPP_THROW(PropMismatchException); }));
    EXPECT_EQ(SVSYS_E_VALIDATION_VALUE, deviceIDsFailingWith([] { SYSAPICPP_THROW(ValidationValueException); }));
    EXPECT_EQ(E_NOTIMPL, deviceIDsFailingWith([] { SYSAPICPP_THROW(NotImplException); }));
    EXPECT_EQ(E_UNEXPECTED, deviceIDsFailingWith([] { SYSAPICPP_THROW(UnexpectedException); }));
    EXPECT_EQ(E_FAIL, deviceIDsFailingWith([] { SYSAPICPP_THROW(FailException); }));
    EXPECT_EQ(E_FAIL, deviceIDsFailingWith([] { throw std::runtime_error("x"); }));
    // Nothing inside throws a bare HRESULT: it is a failure like any other.
    EXPECT_EQ(static_cast<HRESULT>(0x80041234u), deviceIDsFailingWith([] { throw static_cast<HRESULT>(0x80041234u); }));
    EXPECT_EQ(E_FAIL, deviceIDsFailingWith([] { throw 2.5; }));
}

// The one mapping every COM boundary uses: the HRESULT and the message text the host receives.
TEST(ExceptionMapping, GivesTheHResultAndTheMessage) {
    struct Row {
        const char* name;
        std::function<void()> thrower;
        HRESULT hr;
        const char* text;  // null: the text is left as it was
    };
    const Row rows[] = {
        {"plain HResultException", [] { SYSAPICPP_THROW(PropMismatchException); }, SVSYS_E_PROP_MISMATCH, nullptr},
        {"bad GUID text", [] { throw orv::dsc::exception::BadGuidString(); }, E_FAIL, "Badly formatted Guid string."},
        {"storage call",
         [] {
             throw nORVMISysAPICommon100::CsvsException(nORVMISysAPICommon100::kGetIDOperation, IID_IsvsObject,
                                                        E_ACCESSDENIED, __FILE__, __LINE__);
         },
         E_ACCESSDENIED, "IsvsObject::GetID"},
        {"out of memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, nullptr},
        {"standard exception", [] { throw std::runtime_error("x"); }, E_FAIL, "x"},
        {"other", [] { throw 2.5; }, E_FAIL, nullptr},
    };
    for (const Row& row : rows) {
        std::string text = "before";
        HRESULT hr = S_OK;
        try {
            row.thrower();
        } catch (...) {
            hr = sysapicpp::hresultOfCurrentException(&text);
        }
        EXPECT_EQ(row.hr, hr) << row.name;
        EXPECT_EQ(row.text != nullptr ? row.text : "before", text) << row.name;
    }
    std::string document;
    try {
        ORVERR_THROW(orverr::codes::kSoftwareFault).raise();
    } catch (...) {
        EXPECT_EQ(E_FAIL, sysapicpp::hresultOfCurrentException(&document));
    }
    EXPECT_NE(std::string::npos, document.find("\"error_constant\"")) << document;
}

TEST_F(Adapter, DevicesAndBags) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysEnumStringList> ids;
    ASSERT_EQ(S_OK, expert->GetDeviceIDs(ids.out()));
    EXPECT_EQ((std::vector<std::wstring>{L"{A}", L"{B}"}), drain(ids.get()));
    EXPECT_EQ(E_POINTER, expert->GetDeviceIDs(nullptr));

    ComPtr<IsvSysPropertyBag> bag;
    ASSERT_EQ(S_OK, expert->GetPropertyBag(L"{A}", bag.out()));
    EXPECT_EQ(1u, referenceCount(bag.get()));
    EXPECT_EQ(SVSYS_E_ITEM_NOT_EXIST, expert->GetPropertyBag(L"{Q}", bag.out()));
    EXPECT_EQ(nullptr, bag.get());
    EXPECT_EQ(E_POINTER, expert->GetPropertyBag(nullptr, bag.out()));
    EXPECT_EQ(E_POINTER, expert->GetAllPropertyBags(nullptr));
}

TEST_F(Adapter, RefreshAnswersByTagPresence) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysPropertyBag> bag;
    const ULONG some[] = {7, 0x12345678};
    const ULONG all[] = {7, 0x0101D000};
    const ULONG none[] = {0x12345678};
    EXPECT_EQ(S_FALSE, expert->RefreshPropertyBag(L"{A}", 2, some, FALSE, bag.out()));
    EXPECT_NE(nullptr, bag.get());
    EXPECT_EQ(S_OK, expert->RefreshPropertyBag(L"{A}", 2, all, FALSE, bag.out()));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, expert->RefreshPropertyBag(L"{A}", 1, none, FALSE, bag.out()));
    EXPECT_NE(nullptr, bag.get());
    EXPECT_EQ(S_OK, expert->RefreshPropertyBag(L"{A}", 0, none, FALSE, bag.out()));
    EXPECT_EQ(E_POINTER, expert->RefreshPropertyBag(L"{A}", 0, nullptr, FALSE, bag.out()));
}

TEST_F(Adapter, SinkReceivesNotificationsWithTheExpertAsSender) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysExpertPlugPlay> plugPlay;
    ASSERT_EQ(S_OK, expert->QueryInterface(IID_IsvSysExpertPlugPlay, plugPlay.outVoid()));
    RecordingSink sink;
    ASSERT_EQ(S_OK, plugPlay->RegisterSink(&sink));
    EXPECT_EQ(1u, sink.references);
    ComPtr<IsvSysPropertyBag> bag;
    const ULONG tags[] = {7};
    ASSERT_EQ(S_OK, expert->RefreshPropertyBag(L"{A}", 1, tags, FALSE, bag.out()));
    EXPECT_EQ(3u, sink.lastKind);
    EXPECT_EQ(std::vector<std::wstring>{L"{A}"}, sink.lastIds);
    EXPECT_EQ(static_cast<IUnknown*>(expert.get()), sink.lastSender);

    RecordingSink second;
    ASSERT_EQ(S_OK, plugPlay->RegisterSink(&second));
    EXPECT_EQ(0u, sink.references);
    EXPECT_EQ(1u, second.references);
    ASSERT_EQ(S_OK, expert->Shutdown());
    EXPECT_EQ(0u, second.references);
}

TEST_F(Adapter, ValidateAndCommitHandOverTheSubmittedBag) {
    ASSERT_EQ(S_OK, expert->Initialize());
    sysapicpp::PropertyBagHandle submitted = ScriptedExpert::bag(L"{A}");
    ASSERT_EQ(S_OK, submitted.get()->ClearModified());
    ComPtr<IsvSysEnumPropertyTag> accepted;
    BstrHolder message;
    ASSERT_EQ(S_OK, expert->ValidateProperties(L"{A}", submitted.get(), accepted.out(), message.out()));
    EXPECT_EQ(nullptr, accepted.get());
    EXPECT_EQ(L"checked", message.str());

    submitted.setU32(9, 1);
    submitted.setU32(7, 71);
    ASSERT_EQ(S_OK, expert->ValidateProperties(L"{A}", submitted.get(), accepted.out(), nullptr));
    ASSERT_NE(nullptr, accepted.get());
    EXPECT_EQ((std::vector<ULONG>{7, 9}), drain(accepted.get()));

    ULONG result = 0;
    EXPECT_EQ(E_POINTER, expert->CommitPropertiesEx(L"{A}", submitted.get(), nullptr, nullptr));
    ASSERT_EQ(S_OK, expert->CommitProperties(L"{A}", submitted.get(), &result));
    EXPECT_EQ(71u, result);
    EXPECT_EQ(E_POINTER, expert->CommitProperties(L"{A}", nullptr, &result));
    // Something that is not a bag.
    EXPECT_EQ(E_NOINTERFACE, expert->CommitProperties(L"{A}", expert.get(), &result));
}

TEST_F(Adapter, TheLastReleaseEndsTheExpertSinkFirstWhileTheObjectStillAnswers) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysExpertPlugPlay> plugPlay;
    ASSERT_EQ(S_OK, expert->QueryInterface(IID_IsvSysExpertPlugPlay, plugPlay.outVoid()));
    RecordingSink sink;
    ASSERT_EQ(S_OK, plugPlay->RegisterSink(&sink));
    plugPlay.reset();
    IsvSysExpert2* dying = expert.get();
    HRESULT answered = S_OK;
    HRESULT listed = S_OK;
    ScriptedExpert::onDestroy = [&](sysapicpp::NotificationHandler& queued) {
        // A notification still queued when the host let go reaches no sink.
        queued.notify(sysapicpp::kDevicesChanged, "{A}");
        // A sink call in progress on another thread may still use its sender.
        ComPtr<IsvSysExpert> asked;
        answered = dying->QueryInterface(IID_IsvSysExpert, asked.outVoid());
        ComPtr<IsvSysEnumStringList> ids;
        listed = dying->GetDeviceIDs(ids.out());
    };
    expert.reset();  // the host's last reference, without Shutdown
    EXPECT_EQ(0, ScriptedExpert::alive);
    EXPECT_EQ(0, sink.calls);
    EXPECT_EQ(0u, sink.references);
    EXPECT_EQ(S_OK, answered);
    EXPECT_EQ(E_UNEXPECTED, listed);  // the expert is already out of reach
}
