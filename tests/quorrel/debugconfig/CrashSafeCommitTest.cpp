// The debug configuration file holds its old or its new content after a failure or a kill at any
// write, truncation, sync or deletion of a commit, and the next commit works.
#include <filesystem>
#include <memory>

#include "common/orverr/Codes.h"
#include "common/orverr/InternalError.h"
#include "common/platform/Syscalls.h"
#include "DebugConfigTestSupport.h"
#include "quorrel/debugconfig/LockableFile.h"
#include "quorrel/debugconfig/RollbackJournal.h"
#include "support/FaultPlan.h"
#include "support/Portable.h"

using namespace nORVMISysAPICommon100;
using namespace debugconfigtest;
using faultplan::Fault;

namespace {

const std::string kOld = R"({"version": 1, "devices": {"{A}": {"debugSessionConfiguration": 1, "ServerIsOutOfProcess": false}, )"
                         R"("{B}": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})";
const std::string kLonger = kOld.substr(0, kOld.size() - 2) + R"(, "{C}": {"debugSessionConfiguration": 1}}})";
const std::string kShorter = R"({"version": 1, "devices": {}})";

// Journal write and sync, folder sync, file write, truncation and sync, deletion, folder sync (no
// folder syncs on Windows).
constexpr int kStruckCalls = faultplan::kSyncsFolders ? 8 : 6;

class CrashSafeCommitTest : public ::testing::TestWithParam<Fault> {
protected:
    CrashSafeCommitTest() { faultplan::strikeLockedFileChanges(); }
    ~CrashSafeCommitTest() override {
        faultplan::disarm();
        platform::restoreRealSyscalls();
    }

    // A re-started child works on its parent's file.
    std::string path() const { return scratch_ ? scratch_->configFile() : faultplan::childPlace(); }

    void commit(const std::string& text) {
        LockableFile file;
        file.open(path(), true);
        file.lock();
        file.write(text);
        file.unlock();
    }

    // What the next user sees, after any roll-back.
    std::string contentSeenNext() {
        LockableFile file;
        file.open(path(), true);
        file.lock();
        std::string text = file.read();
        file.unlock();
        return text;
    }

    std::unique_ptr<ScratchFolder> scratch_ =
        faultplan::childPlace().empty() ? std::make_unique<ScratchFolder>() : nullptr;
};

}  // namespace

TEST_P(CrashSafeCommitTest, FileHoldsOldOrNewContentAndTheNextCommitWorks) {
    const Fault fault = GetParam();
    for (const std::string* next : {&kLonger, &kShorter}) {
        int struck = 0;
        for (int target = 1;; ++target) {
            writeFile(path(), kOld);
            faultplan::arm(fault, target);
            bool failed = false;
            bool reached = false;
            if (faultplan::kills(fault)) {
                reached = faultplan::runKilled(path(), next == &kLonger ? "longer" : "shorter", [&] { commit(*next); });
            } else {
                try {
                    commit(*next);
                } catch (const orverr::Exception&) {
                    failed = true;
                }
                reached = faultplan::reached();
            }
            faultplan::disarm();
            if (!reached) {
                EXPECT_FALSE(failed);
                break;
            }
            ++struck;
            const std::string seen = contentSeenNext();
            SCOPED_TRACE(std::string(faultplan::name(fault)) + " at call " + std::to_string(target));
            if (failed) {
                EXPECT_EQ(kOld, seen) << "a failed commit changes nothing";
            } else {
                EXPECT_TRUE(seen == kOld || seen == *next) << seen;
            }
            EXPECT_FALSE(std::filesystem::exists(path() + "-journal"));
            commit("{}");
            EXPECT_EQ("{}", readFile(path()));
        }
        EXPECT_GE(struck, kStruckCalls);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCall, CrashSafeCommitTest,
                         ::testing::Values(Fault::FailOnce, Fault::FailFromThen, Fault::KillBefore, Fault::KillAfter),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             std::string name = faultplan::name(info.param);
                             for (char& c : name) c = c == ' ' ? '_' : c;
                             return name;
                         });

TEST(CrashSafeCommitFailureTest, FullDiskIsReportedWithTheSystemsReason) {
    ScratchFolder scratch;
    writeFile(scratch.configFile(), kOld);
    faultplan::strikeLockedFileChanges();
    faultplan::arm(Fault::FailFromThen, 1);
    LockableFile file;
    file.open(scratch.configFile(), true);
    file.lock();
    Raised raised = raisedBy([&] { file.write(kLonger); });
    faultplan::disarm();
    platform::restoreRealSyscalls();
    EXPECT_EQ(orverr::codes::kPlatformEndOfData.code, raised.code);
    const std::string internalError = std::string(R"("internal_error":{"api":")") +
                                      orverr::internal_error::kApiSystem + R"(","code":)" +
                                      std::to_string(faultplan::kDiskFull) + ",";
    EXPECT_NE(std::string::npos, raised.document.find(internalError)) << raised.document;
    EXPECT_NE(std::string::npos, raised.document.find(testsupport::systemMessage(faultplan::kDiskFull)))
        << raised.document;
    file.unlock();
    EXPECT_EQ(kOld, readFile(scratch.configFile()));
}

// Journals as a crash may leave them: only a complete one is rolled back.
TEST(RollbackJournalTest, OnlyACompleteJournalRollsTheFileBack) {
    const std::string complete = RollbackJournal::encode(kOld);
    struct Case {
        const char* what;
        std::string journal;
        std::string expected;
    };
    const Case cases[] = {
        {"complete", complete, kOld},
        {"empty", "", kShorter},
        {"header cut short", complete.substr(0, 20), kShorter},
        {"content cut short", complete.substr(0, complete.size() - 1), kShorter},
        {"content changed", complete.substr(0, complete.size() - 1) + "x", kShorter},
        {"longer than its header says", complete + " ", kShorter},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        writeFile(scratch.configFile(), kShorter);
        writeFile(scratch.configFile() + "-journal", c.journal);
        LockableFile file;
        file.open(scratch.configFile(), false);
        file.lock();
        EXPECT_EQ(c.expected, file.read()) << c.what;
        file.unlock();
        EXPECT_FALSE(std::filesystem::exists(scratch.configFile() + "-journal")) << c.what;
    }
}

TEST(RollbackJournalTest, EncodingRoundTrips) {
    for (const std::string& text : {std::string(), kOld, std::string("a\0b", 3)}) {
        EXPECT_EQ(text, RollbackJournal::decode(RollbackJournal::encode(text)).value_or("<none>"));
    }
}
