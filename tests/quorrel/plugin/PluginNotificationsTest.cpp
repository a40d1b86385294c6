// Notifications of the plug-in as the host receives them: storage changes and hand edits of
// the debug configuration reach the registered sink from the plug-in's workers.
#include <gtest/gtest.h>

#include "support/Portable.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "support/ComTestSupport.h"
#include "explorer/QuorrelExports.h"
#include "explorer/SimSvs.h"
#include "explorer/SvsResults.h"
#include "palu/SimTrace.h"
#include "storage/SimStorage.h"

using namespace quorreltest;
namespace fs = std::filesystem;

namespace {

const std::wstring kDevice1 = L"{D1A50001-0C2E-4B7A-8E11-5A0000000001}";
const std::wstring kDevice2 = L"{D1A50002-0C2E-4B7A-8E11-5A0000000002}";
const char* const kAddedDevice =
    R"({"id": "{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
        "properties": {"9553": "Added", "1585": "HSDR-5162", "8998": 12582}})";
const std::wstring kAddedId = L"{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}";

// The host's sink: records "<kind> <id>..." lines; may act inside the call.
class Sink final : public IsvSysPlugPlaySink {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT OnDevicesChanged(IUnknown* from, ULONG kind, IsvSysEnumStringList* ids) override {
        sender = from;
        std::wstring line = std::to_wstring(kind);
        for (const std::wstring& id : drain(ids)) line += L" " + id;
        {
            std::lock_guard<std::mutex> guard(lock);
            heard.push_back(line);
        }
        arrived.notify_all();
        if (inside) inside();
        return S_OK;
    }
    std::vector<std::wstring> awaitCount(size_t count) {
        std::unique_lock<std::mutex> guard(lock);
        arrived.wait(guard, [&] { return heard.size() >= count; });
        return heard;
    }
    std::vector<std::wstring> all() {
        std::lock_guard<std::mutex> guard(lock);
        return heard;
    }
    std::atomic<ULONG> references{0};
    std::function<void()> inside;
    std::atomic<IUnknown*> sender{nullptr};

private:
    std::mutex lock;
    std::condition_variable arrived;
    std::vector<std::wstring> heard;
};

class PluginNotifications : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::string base = std::getenv("ORV_COMMON_APPDATA");
        const std::string own = base + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        testsupport::setEnvironment("ORV_COMMON_APPDATA", own);
        folder = fs::path(own) / "Orvane" / "Shared" / "Quorrel";
        fs::create_directories(folder);
        fs::remove(folder / "Quorrel.config");
        ASSERT_EQ(0, SimStorage_load(nullptr));
        ASSERT_EQ(S_OK, createDigiscanSysApiExpert(expert.outVoid()));
    }
    void TearDown() override {
        expert.reset();
        SimSvs_setSubscribeFailure(0);
        SimSvs_setConfigurationFailure(0);
        EXPECT_EQ(0u, SimSvs_getSubscriptionCount());
        EXPECT_EQ(0u, SimStorage_getOpenSessionCount());
    }
    // Initialises the expert, registers the sink and lists the devices (which fills the cache).
    void connect() {
        ASSERT_EQ(S_OK, expert->Initialize());
        ComPtr<IsvSysExpertPlugPlay> plugPlay;
        ASSERT_EQ(S_OK, expert->QueryInterface(IID_IsvSysExpertPlugPlay, plugPlay.outVoid()));
        ASSERT_EQ(S_OK, plugPlay->RegisterSink(&sink));
        ComPtr<IsvSysEnumStringList> ids;
        ASSERT_EQ(S_OK, expert->GetDeviceIDs(ids.out()));
    }
    std::string configText() {
        std::ifstream in(folder / "Quorrel.config");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    Sink sink;
    ComPtr<IsvSysExpert2> expert;
};

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

TEST_F(PluginNotifications, StorageChangesReachTheSinkInOrder) {
    connect();
    SimStorage_beginBatch();
    ASSERT_EQ(0, SimStorage_removeObject(narrow(kDevice2).c_str()));
    ASSERT_EQ(0, SimStorage_addObject(kAddedDevice));
    SimStorage_endBatch();
    EXPECT_EQ((std::vector<std::wstring>{L"1 " + kAddedId, L"2 " + kDevice2}), sink.awaitCount(2));
    ComPtr<IsvSysPropertyBag> bag;
    EXPECT_EQ(S_OK, expert->GetPropertyBag(kAddedId.c_str(), bag.out()));
    EXPECT_EQ(SVSYS_E_ITEM_NOT_EXIST, expert->GetPropertyBag(kDevice2.c_str(), bag.out()));
}

TEST_F(PluginNotifications, AHandEditOfTheDebugConfigurationReachesTheSinkOnce) {
    connect();
    std::string text = configText();
    const std::string key = "\"" + narrow(kDevice1) + "\"";
    const size_t entry = text.find(key);
    ASSERT_NE(std::string::npos, entry) << text;
    const size_t flag = text.find("false", entry);
    ASSERT_NE(std::string::npos, flag);
    text.replace(flag, 5, "true");
    {
        std::ofstream out(folder / "Quorrel.config", std::ios::trunc);
        out << text;
    }
    EXPECT_EQ((std::vector<std::wstring>{L"3 " + kDevice1}), sink.awaitCount(1));
    // A storage change after it is the next thing heard: the edit was announced once.
    ASSERT_EQ(0, SimStorage_removeObject(narrow(kDevice2).c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"3 " + kDevice1, L"2 " + kDevice2}), sink.awaitCount(2));
}

TEST_F(PluginNotifications, NoSinkCallAfterTheLastReleaseAndTheSenderAnswersMeanwhile) {
    connect();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> enter;
    std::atomic<bool> first{true};
    std::atomic<int> unanswered{0};
    sink.inside = [&] {
        if (first.exchange(false)) {
            enter.set_value();
            released.wait();  // holds one worker; the rest queue up
        }
        // A host asks the sender for an interface, also while the last Release runs.
        ComPtr<IsvSysExpert> asked;
        if (sink.sender.load()->QueryInterface(IID_IsvSysExpert, asked.outVoid()) != S_OK) ++unanswered;
    };
    for (int i = 0; i < 20; ++i) {
        ComPtr<IsvSysPropertyBag> bag;
        const ULONG none[] = {0};
        ASSERT_EQ(S_OK, expert->RefreshPropertyBag(kDevice1.c_str(), 0, none, FALSE, bag.out()));
    }
    enter.get_future().wait();
    release.set_value();
    // The last reference goes with the sink still registered and notifications queued: the
    // plug-in lets go of the sink first, so what is still queued is dropped.
    expert.reset();
    const size_t heard = sink.all().size();
    EXPECT_LE(1u, heard);
    EXPECT_GE(20u, heard);
    EXPECT_EQ(0u, sink.references.load());
    EXPECT_EQ(0, unanswered.load());
    sink.inside = nullptr;  // no call is in progress any more: the last Release waited for it
    // Nothing is left to arrive: another expert's traffic is all the sink hears from now on.
    ASSERT_EQ(S_OK, createDigiscanSysApiExpert(expert.outVoid()));
    connect();
    ASSERT_EQ(0, SimStorage_removeObject(narrow(kDevice2).c_str()));
    const std::vector<std::wstring> all = sink.awaitCount(heard + 1);
    EXPECT_EQ(heard + 1, all.size());
    EXPECT_EQ(L"2 " + kDevice2, all.back());
}

TEST_F(PluginNotifications, TheHostMayShutTheExpertDownInsideItsSink) {
    connect();
    std::promise<HRESULT> shutDown;
    bool once = true;
    sink.inside = [&] {
        if (!once) return;
        once = false;
        shutDown.set_value(expert->Shutdown());
    };
    ASSERT_EQ(0, SimStorage_removeObject(narrow(kDevice2).c_str()));
    EXPECT_EQ(S_OK, shutDown.get_future().get());
    EXPECT_EQ(0u, SimSvs_getSubscriptionCount());
    // The worker lets go of the sink once the sink's call returned; a host keeps its sink alive
    // while the plug-in holds it.
    while (sink.references.load() != 0) std::this_thread::yield();
}

// Trace lines of the plug-in's threads, as the platform trace hands them out.
class TraceLines {
public:
    TraceLines() {
        SimTrace_setLineCallback(&TraceLines::collect, this);
        SimTrace_setEnabled(1);
    }
    ~TraceLines() {
        SimTrace_setEnabled(-1);
        SimTrace_setLineCallback(nullptr, nullptr);
    }
    // How many lines hold part, once there are count of them or a generous while passed.
    size_t awaitCount(const std::string& part, size_t count) {
        std::unique_lock<std::mutex> guard(lock_);
        const auto found = [&] {
            return static_cast<size_t>(std::count_if(lines_.begin(), lines_.end(), [&](const std::string& line) {
                return line.find(part) != std::string::npos;
            }));
        };
        arrived_.wait_for(guard, std::chrono::seconds(30), [&] { return found() >= count; });
        return found();
    }

private:
    static void collect(void* self, const char* line) {
        TraceLines& lines = *static_cast<TraceLines*>(self);
        {
            std::lock_guard<std::mutex> guard(lines.lock_);
            lines.lines_.emplace_back(line);
        }
        lines.arrived_.notify_all();
    }
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<std::string> lines_;
};

// The debug configuration folder renamed away or deleted, and made anew: the monitor watches the
// new folder (and says so), and a hand edit of the new file reaches the sink.
TEST_F(PluginNotifications, AHandEditInAFolderMadeAnewReachesTheSink) {
    TraceLines trace;
    connect();
    const std::string original = configText();
    std::string edited = original;
    const size_t entry = edited.find("\"" + narrow(kDevice1) + "\"");
    ASSERT_NE(std::string::npos, entry) << edited;
    edited.replace(edited.find("false", entry), 5, "true");
    struct Case {
        const char* name;
        std::function<void()> removal;
        const std::string& text;
        bool deletes;
    };
    const fs::path away(folder.string() + ".old");
    fs::remove_all(away);  // an earlier run's
    const Case cases[] = {
        {"renamed away", [&] { fs::rename(folder, away); }, edited, false},
        {"deleted", [&] { fs::remove_all(folder); }, original, true},
    };
    std::vector<std::wstring> expected;
    for (const Case& c : cases) {
        // wine keeps a deleted folder, still openable, while a handle on it is open; Windows
        // refuses to open it and frees the name once the watch lets go.
        if (c.deletes && testsupport::runningUnderWine()) continue;
        c.removal();
        // A folder whose removal is still pending cannot be made again at once.
        std::error_code failed;
        for (int attempt = 0; !fs::create_directories(folder, failed) && failed && attempt < 1000; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        {
            std::ofstream out(folder / "Quorrel.config", std::ios::trunc);
            out << c.text;
        }
        expected.push_back(L"3 " + kDevice1);
        EXPECT_EQ(expected, sink.awaitCount(expected.size())) << c.name;
        // A check reads the file by its path, so the edit may be heard before the thread came to
        // the folder's end; the next case begins once the new folder is watched.
        EXPECT_EQ(expected.size(), trace.awaitCount("is gone", expected.size())) << c.name;
        EXPECT_EQ(expected.size(), trace.awaitCount("is watched again", expected.size())) << c.name;
    }
}

TEST_F(PluginNotifications, TheHostMayLetGoOfTheExpertInsideItsSink) {
    connect();
    std::promise<void> released;
    bool once = true;
    sink.inside = [&] {
        if (!once) return;
        once = false;
        expert.reset();  // the host's last reference, without Shutdown
        released.set_value();
    };
    ASSERT_EQ(0, SimStorage_removeObject(narrow(kDevice2).c_str()));
    released.get_future().wait();
    EXPECT_EQ(0u, SimSvs_getSubscriptionCount());
    while (sink.references.load() != 0) std::this_thread::yield();
}

TEST_F(PluginNotifications, InitialiseFailsWhenTheExplorerRefusesItsConfigurationOrSubscription) {
    SimSvs_setConfigurationFailure(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, expert->Initialize());
    SimSvs_setConfigurationFailure(0);
    SimSvs_setSubscribeFailure(E_OUTOFMEMORY);
    EXPECT_EQ(E_OUTOFMEMORY, expert->Initialize());
    SimSvs_setSubscribeFailure(0);
    EXPECT_EQ(0u, SimSvs_getSubscriptionCount());
    EXPECT_EQ(0u, SimSvs_getConfigurationCount());
    EXPECT_EQ(0u, SimStorage_getOpenSessionCount());
    EXPECT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(1u, SimSvs_getSubscriptionCount());
}
