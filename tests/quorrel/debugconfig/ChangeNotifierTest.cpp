// The debug configuration monitor: edits of the file by hand reach the host once, the
// plug-in's own writes and other files in the folder do not.
#include <gtest/gtest.h>

#include "common/orverr/InternalError.h"
#include "common/platform/File.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "DebugConfigTestSupport.h"
#include "support/MonitorFaults.h"
#include "explorer/PropertyTags.h"
#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugConfigurationChangeNotifier.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Exceptions.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"

using namespace debugconfigtest;
using namespace nORVMISysAPICommon100;

namespace {

const std::string kA = "{D1A50001-0C2E-4B7A-8E11-5A0000000001}";
const std::string kB = "{D1A50002-0C2E-4B7A-8E11-5A0000000002}";

class FixedLocator final : public StorageLocatorInterface {
public:
    explicit FixedLocator(const ScratchFolder& scratch) : folder_(scratch.configFolder()), file_(scratch.configFile()) {}
    std::string getFolder() const override { return folder_; }
    std::string getFile() const override { return file_; }

private:
    std::string folder_, file_;
};

// Builds bags of the shown devices with their stored settings, as the expert does; a skewed
// device shows the opposite out-of-process flag.
class SettingsSource final : public sysapicpp::PropertyBagFactory {
public:
    explicit SettingsSource(DebugSettingsStore& store) : store_(store) {}
    bool listDeviceIDs(sysapicpp::IdList& out) override {
        out = shown;
        return true;
    }
    void createPropertyBags(sysapicpp::BagList& out, const sysapicpp::IdList& ids) override {
        const std::vector<DebugDeviceSettings> settings = store_.ensure(ids);
        out.clear();
        for (size_t i = 0; i < ids.size(); ++i) {
            IsvSysPropertyBag4* made = nullptr;
            SYSAPICPP_CHECK(sysapicpp::createPropertyBag(&made));
            sysapicpp::PropertyBagHandle bag(made);
            made->Release();
            const std::wstring id(ids[i].begin(), ids[i].end());
            bag.setString(kSvSysTagDeviceID, id);
            bag.setString(kSvSysTagUserAlias, L"Digiscan");
            bag.setU32(kSvSysTagDebugSessionConfiguration,
                       static_cast<uint32_t>(settings[i].debugSessionConfiguration.value_or(0)));
            bag.setBool(kSvSysTagServerIsOutOfProcess, settings[i].serverIsOutOfProcess != (ids[i] == skewed));
            out.push_back(bag);
        }
    }
    sysapicpp::IdList shown{kA, kB};
    std::string skewed;

private:
    DebugSettingsStore& store_;
};

class RecordingHandler final : public sysapicpp::NotificationHandler {
public:
    using NotificationHandler::notify;
    void notify(uint32_t kind, const std::vector<std::string>& ids) override {
        {
            std::lock_guard<std::mutex> guard(lock_);
            for (const std::string& id : ids) heard_.push_back(std::to_string(kind) + ":" + id);
        }
        arrived_.notify_all();
    }
    bool isConnected() override { return true; }
    // Waits until count notifications arrived (a hang here is a failure ctest reports).
    std::vector<std::string> awaitCount(size_t count) {
        std::unique_lock<std::mutex> guard(lock_);
        arrived_.wait(guard, [&] { return heard_.size() >= count; });
        return heard_;
    }

private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<std::string> heard_;
};

std::string configText(int configurationA, bool outOfProcessA, bool withB, bool outOfProcessB = false) {
    std::string text = "{\n\t\"version\": 1,\n\t\"devices\": {\n\t\t\"" + kA +
                       "\": {\"debugSessionConfiguration\": " + std::to_string(configurationA) +
                       ", \"ServerIsOutOfProcess\": " + (outOfProcessA ? "true" : "false") + "}";
    if (withB) {
        text += ",\n\t\t\"" + kB + "\": {\"debugSessionConfiguration\": 1, \"ServerIsOutOfProcess\": " +
                (outOfProcessB ? "true" : "false") + "}";
    }
    return text + "\n\t}\n}\n";
}

class ChangeNotifier : public ::testing::Test {
protected:
    void TearDown() override {
        notifier.reset();
        restoreMonitor();
    }
    void start() {
        notifier = std::make_unique<DebugConfigurationChangeNotifier>(
            locator, std::make_unique<DebugConfigurationChangeCheck>(locator, entries, cache, sink));
        notifier->start();
    }

    ScratchFolder scratch;
    FixedLocator locator{scratch};
    DebugDeviceEntryFactory entries;
    DebugSettingsStore store{locator, entries};
    SettingsSource source{store};
    sysapicpp::PropertyBagCache cache{source};
    RecordingHandler sink;
    std::unique_ptr<DebugConfigurationChangeNotifier> notifier;
};

}  // namespace

TEST_F(ChangeNotifier, AHandEditGivesOneNotificationAndOwnWritesNone) {
    start();
    cache.refresh();  // the plug-in writes an entry per device
    writeFile(scratch.configFile(), configText(1, false, true, true));
    EXPECT_EQ((std::vector<std::string>{"3:" + kB}), sink.awaitCount(1));

    // Writes that change no shown value: a commit of the same values, the same text again.
    store.commit(kA, DebugDeviceEntryValues{true, 1, false});
    writeFile(scratch.configFile(), configText(1, false, true, true));
    // The next edit is heard next: nothing came in between, and the first edit was heard once.
    writeFile(scratch.configFile(), configText(0, false, true, true));
    EXPECT_EQ((std::vector<std::string>{"3:" + kB, "3:" + kA}), sink.awaitCount(2));
    EXPECT_EQ(0u, cache.getBag(kA).getU32(kSvSysTagDebugSessionConfiguration));  // rebuilt
}

TEST_F(ChangeNotifier, OtherFilesInTheFolderGiveNone) {
    source.skewed = kA;  // any check would announce A
    cache.refresh();
    start();
    const std::string journal = scratch.configFile() + "-journal";
    writeFile(journal, "journal");
    writeFile(journal, "journal, longer");
    std::filesystem::rename(journal, scratch.configFile() + ".tmp1");
    writeFile(scratch.configFile() + ".tmp2", "{}");
    std::filesystem::remove(scratch.configFile() + ".tmp1");
    std::filesystem::remove(scratch.configFile() + ".tmp2");
    // An edit of B: its check finds B and the skew of A together. A check run for the other
    // files before it would have announced A alone first.
    writeFile(scratch.configFile(), configText(1, false, true, true));
    EXPECT_EQ((std::vector<std::string>{"3:" + kA, "3:" + kB}), sink.awaitCount(2));
}

TEST_F(ChangeNotifier, ADeviceWithoutAnEntryIsSkippedAndAFailedCheckEndsOnlyItself) {
    cache.refresh();
    start();
    writeFile(scratch.configFile(), "{ not json");  // this check fails
    writeFile(scratch.configFile() + ".marker", "");
    writeFile(scratch.configFile(), configText(0, true, false));
    EXPECT_EQ((std::vector<std::string>{"3:" + kA}), sink.awaitCount(1));
}

TEST_F(ChangeNotifier, ACheckDoesNotWaitForTheFileWhileAHostHoldsABag) {
    cache.refresh();
    sysapicpp::PropertyBagHandle bag = cache.getBag(kB);
    ASSERT_EQ(S_OK, bag.get()->Lock());
    DebugConfigurationChangeCheck check(locator, entries, cache, sink);
    std::thread checking([&] { check.run(); });
    {
        // The host commits while it holds the bag: the check must not hold the file meanwhile.
        ConfigContainer container(locator.getFile());
        DebugConfiguration configuration(container, entries);
        configuration.getOrCreateEntry(kB, DebugDeviceEntryValues{true, 0, false}, true);
        configuration.save();
    }
    ASSERT_EQ(S_OK, bag.get()->Unlock());
    checking.join();
    EXPECT_EQ((std::vector<std::string>{"3:" + kB}), sink.awaitCount(1));
}

// The folder renamed away or deleted, and made anew: the thread watches the new one, and a hand
// edit of the new file is heard.
TEST_F(ChangeNotifier, AFolderMadeAnewIsWatchedAgain) {
    cache.refresh();
    start();
    const std::string folder = scratch.configFolder();
    struct Case {
        const char* name;
        std::function<void()> removal;
        bool outOfProcessB;
        bool deletes;
    };
    const Case cases[] = {
        {"renamed away", [&] { std::filesystem::rename(folder, folder + ".old"); }, true, false},
        {"deleted", [&] { std::filesystem::remove_all(folder); }, false, true},
    };
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        // wine keeps a deleted folder, still openable, while a handle on it is open; Windows
        // refuses to open it and frees the name once the watch lets go.
        if (c.deletes && testsupport::runningUnderWine()) continue;
        const uint64_t before = notifier->rewatchCount();
        c.removal();
        // A folder whose removal is still pending cannot be made again at once.
        std::error_code failed;
        for (int attempt = 0; !std::filesystem::create_directories(folder, failed) && failed && attempt < 1000; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        writeFile(scratch.configFile(), configText(1, false, true, c.outOfProcessB));
        expected.push_back("3:" + kB);
        EXPECT_EQ(expected, sink.awaitCount(expected.size())) << c.name;
        // The check reads the file by its path: the edit may be heard before the thread came to
        // the folder's end.
        for (int wait = 0; notifier->rewatchCount() == before && wait < 30000; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_LT(before, notifier->rewatchCount()) << c.name;
    }
    EXPECT_FALSE(notifier->hasEnded());
}

TEST_F(ChangeNotifier, MonitorFailures) {
    const int kCode = failMonitorStart();
    const Raised raised = raisedBy([&] { start(); });
    EXPECT_EQ(-52008, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("nORVAPALS100::tStatus::kOSFault")) << raised.document;
    EXPECT_NE(std::string::npos,
              raised.document.find(std::string("\"internal_error\":{\"api\":\"") + orverr::internal_error::kApiSystem +
                                   "\",\"code\":" + std::to_string(kCode)))
        << raised.document;
    // The folder is named, as the system writes it (the text is JSON: backslashes are doubled).
    std::string folder = platform::nativePath(locator.getFolder());
    for (size_t at = folder.find('\\'); at != std::string::npos; at = folder.find('\\', at + 2)) folder.insert(at, 1, '\\');
    EXPECT_NE(std::string::npos, raised.document.find(R"("usage":"kUsageTypeFilePath","value":")" + folder + "\""))
        << raised.document;
    notifier.reset();

    // A failing wait ends the thread's work.
    restoreMonitor();
    failMonitorWait();
    start();
    while (!notifier->hasEnded()) std::this_thread::yield();
    EXPECT_EQ(0u, notifier->checkCount());
}
