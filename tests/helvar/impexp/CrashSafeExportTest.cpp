// Exported documents replace the file whole: after a failure or a kill at any write, sync, close or
// rename the file holds its old or its new content, no temporary file is left after a failure,
// and the next export works.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif
#include "common/orverr/Exception.h"
#include "common/platform/Syscalls.h"
#include "helvar/impexp/file/FileTerms.h"
#include "helvar/impexp/file/TextFileReader.h"
#include "helvar/impexp/file/TextFileWriter.h"
#include "support/FaultPlan.h"
#include "support/Portable.h"

namespace impexp {
namespace {

namespace fs = std::filesystem;
using faultplan::Fault;
using faultplan::native::fileSyscalls;
using faultplan::native::realFileSyscalls;

const std::string kOld(529, 'o');
const std::string kNew = "{\n    \"format\": \"new\"\n}";

std::string contents(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

void create(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

size_t entries(const fs::path& folder) {
    size_t count = 0;
    for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++count;
    return count;
}

std::string writeFailure(const std::string& path, const std::string& text) {
    try {
        TextFileWriter(path.c_str()).writeAll(text.data(), text.size());
    } catch (const orverr::Exception& exception) {
        return exception.documentText();
    }
    return "";
}

class ExportFile : public ::testing::TestWithParam<Fault> {
protected:
    ExportFile() {
        // A re-started child works in its parent's folder and leaves it to the parent.
        folder_ = faultplan::childPlace();
        if (!folder_.empty()) return;
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("helvar-export-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(folder_);
    }
    ~ExportFile() override {
        faultplan::disarm();
        platform::restoreRealSyscalls();
        fs::remove_all(folder_);
    }

    fs::path folder_;
};

TEST_P(ExportFile, HoldsOldOrNewContentAfterAFaultAtEveryCall) {
    const Fault fault = GetParam();
    const fs::path file = folder_ / "a.json";
    faultplan::strikeReplacementChanges();
    int struck = 0;
    for (int target = 1;; ++target) {
        create(file, kOld);
        faultplan::arm(fault, target);
        std::string failure;
        bool reached = false;
        if (faultplan::kills(fault)) {
            reached = faultplan::runKilled(folder_.string(), "", [&] {
                TextFileWriter(file.string().c_str()).writeAll(kNew.data(), kNew.size());
            });
        } else {
            failure = writeFailure(file.string(), kNew);
            reached = faultplan::reached();
        }
        faultplan::disarm();
        if (!reached) break;
        ++struck;
        SCOPED_TRACE(std::string(faultplan::name(fault)) + " at call " + std::to_string(target));
        const std::string seen = contents(file);
        if (!failure.empty()) {
            // Only the folder's sync comes after the rename, and its failure says so.
            const bool afterRename = failure.find(fileterms::kReplacedNotDurable) != std::string::npos;
            EXPECT_EQ(afterRename ? kNew : kOld, seen) << "a failed export leaves the file untouched";
            EXPECT_EQ(1u, entries(folder_)) << "and removes its temporary file";
        } else {
            EXPECT_TRUE(seen == kOld || seen == kNew) << seen;
        }
        EXPECT_EQ("", writeFailure(file.string(), "{}"));
        EXPECT_EQ("{}", contents(file));
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path() != file) fs::remove(entry.path());  // what a killed writer left
        }
    }
    EXPECT_GE(struck, 3);  // write, sync, rename (and the folder's sync on Linux)
}

INSTANTIATE_TEST_SUITE_P(EveryCall, ExportFile,
                         ::testing::Values(Fault::FailOnce, Fault::FailFromThen, Fault::KillBefore, Fault::KillAfter),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             std::string name = faultplan::name(info.param);
                             for (char& c : name) c = c == ' ' ? '_' : c;
                             return name;
                         });

class ExportTarget : public ExportFile {};

// Making symbolic links needs a privilege on Windows that test runs do not hold.
#ifndef _WIN32
TEST_F(ExportTarget, ASymbolicLinkIsKeptAndItsTargetReplaced) {
    const fs::path real = folder_ / "real" / "doc.json";
    fs::create_directories(real.parent_path());
    create(real, kOld);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = folder_ / "link.json";
    fs::create_symlink("real/doc.json", link);  // relative, as links often are
    const fs::path chain = folder_ / "chain.json";
    fs::create_symlink(link, chain);

    EXPECT_EQ("", writeFailure(chain.string(), kNew));
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(kNew, contents(real));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(real).permissions() & fs::perms::all);
    EXPECT_EQ(1u, entries(real.parent_path()));
}

// The temporary file is never more open than the file it replaces, not even before its mode is set,
// and ends with exactly that file's mode whatever the umask took away.
TEST_F(ExportTarget, TheNewFileHasTheReplacedOnesModeFromItsCreation) {
    static mode_t created;
    auto& calls = fileSyscalls();
    calls.open = [](const char* path, int flags, mode_t mode) {
        if ((flags & O_EXCL) != 0) created = mode;
        return realFileSyscalls().open(path, flags, mode);
    };
    const mode_t oldMask = ::umask(027);
    const fs::path file = folder_ / "a.json";
    for (const mode_t mode : {0600, 0640, 0666, 0604, 0400}) {
        create(file, kOld);
        ASSERT_EQ(0, ::chmod(file.c_str(), mode));
        created = 07777;
        EXPECT_EQ("", writeFailure(file.string(), kNew)) << std::oct << mode;
        EXPECT_EQ(mode, created) << std::oct << mode;
        struct stat status {};
        ASSERT_EQ(0, ::stat(file.c_str(), &status));
        EXPECT_EQ(mode, status.st_mode & 07777) << std::oct << mode;
        EXPECT_EQ(kNew, contents(file));
        ::chmod(file.c_str(), 0600);
    }
    ::umask(oldMask);
}

// A mode that cannot be carried over fails the export before anything is written, and a folder that
// cannot be synced after the rename is reported: the new content is in place, but not yet for sure.
TEST_F(ExportTarget, AModeThatCannotBeCarriedOrAFolderThatCannotBeSyncedIsReported) {
    struct Case {
        const char* what;
        std::function<void()> strike;
        const char* reason;
        const std::string& left;
        bool replaced;
    };
    auto& calls = fileSyscalls();
    const Case cases[] = {
        {"mode change", [&] { calls.fchmod = [](int, mode_t) { errno = EPERM; return -1; }; },
         "Operation not permitted", kOld, false},
        {"folder open",
         [&] {
             calls.open = [](const char* path, int flags, mode_t mode) {
                 if ((flags & O_DIRECTORY) != 0) {
                     errno = EACCES;
                     return -1;
                 }
                 return realFileSyscalls().open(path, flags, mode);
             };
         },
         "Permission denied", kNew, true},
        {"folder sync",
         [&] {
             calls.fsync = [](int fd) {
                 struct stat status {};
                 if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
                     errno = EIO;
                     return -1;
                 }
                 return realFileSyscalls().fsync(fd);
             };
         },
         "Input/output error", kNew, true},
    };
    const fs::path file = folder_ / "a.json";
    const mode_t oldMask = ::umask(022);
    for (const Case& c : cases) {
        create(file, kOld);
        ASSERT_EQ(0, ::chmod(file.c_str(), 0666));  // more than the umask lets a new file have
        c.strike();
        const std::string document = writeFailure(file.string(), kNew);
        calls = realFileSyscalls();
        EXPECT_NE(std::string::npos, document.find("ivierrors::ERR_WRITING_FILE")) << c.what;
        EXPECT_NE(std::string::npos, document.find(c.reason)) << c.what << ": " << document;
        EXPECT_EQ(c.replaced, document.find(fileterms::kReplacedNotDurable) != std::string::npos) << c.what;
        EXPECT_EQ(c.left, contents(file)) << c.what;
        EXPECT_EQ(1u, entries(folder_)) << c.what;
    }
    ::umask(oldMask);
}

TEST_F(ExportTarget, ADanglingLinkGetsItsTargetCreated) {
    const fs::path link = folder_ / "link.json";
    fs::create_symlink("made.json", link);
    EXPECT_EQ("", writeFailure(link.string(), kNew));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(kNew, contents(folder_ / "made.json"));
}
#endif

TEST_F(ExportTarget, FailuresCarryTheSystemsReason) {
    struct Case {
        const char* what;
        int error;
        const char* reason;
    };
    const std::string disk = testsupport::systemMessage(faultplan::kDiskFull);
    const std::string denied = testsupport::systemMessage(faultplan::kAccessDenied);
    const std::string readOnly = testsupport::systemMessage(faultplan::kReadOnly);
    const Case cases[] = {
        {"full disk", faultplan::kDiskFull, disk.c_str()},
        {"no permission", faultplan::kAccessDenied, denied.c_str()},
        {"read-only", faultplan::kReadOnly, readOnly.c_str()},
    };
    const fs::path file = folder_ / "a.json";
    faultplan::strikeReplacementChanges();
    for (const Case& c : cases) {
        create(file, kOld);
        faultplan::arm(Fault::FailFromThen, 1, c.error);
        const std::string document = writeFailure(file.string(), kNew);
        faultplan::disarm();
        EXPECT_NE(std::string::npos, document.find("ivierrors::ERR_WRITING_FILE")) << c.what;
        EXPECT_NE(std::string::npos, document.find(c.reason)) << c.what << ": " << document;
        EXPECT_EQ(kOld, contents(file)) << c.what;
        EXPECT_EQ(1u, entries(folder_)) << c.what;
    }
}

// Folders, pipes and devices are refused before anything is read or written, without blocking.
// The cases are POSIX ones: a fifo, /dev/null and their errno texts.
#ifndef _WIN32
TEST_F(ExportTarget, NonRegularFilesAreRefusedWithoutBlocking) {
    const fs::path fifo = folder_ / "pipe";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    struct Case {
        fs::path path;
        const char* reason;
    };
    for (const Case& c : {Case{folder_, "Is a directory"}, Case{fifo, "Not a regular file"},
                          Case{"/dev/null", "Not a regular file"}}) {
        std::string readDocument;
        try {
            TextFileReader reader(c.path.c_str());
        } catch (const orverr::Exception& exception) {
            readDocument = exception.documentText();
        }
        EXPECT_NE(std::string::npos, readDocument.find("ivierrors::ERR_READING_FILE")) << c.path;
        EXPECT_NE(std::string::npos, readDocument.find(c.reason)) << c.path << ": " << readDocument;
        if (c.path.parent_path() == folder_ || c.path == folder_) {
            const std::string writeDocument = writeFailure(c.path.string(), kNew);
            EXPECT_NE(std::string::npos, writeDocument.find(c.reason)) << c.path << ": " << writeDocument;
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(1u, entries(folder_));
}
#endif

}  // namespace
}  // namespace impexp
