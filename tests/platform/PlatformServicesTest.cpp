// Platform services whose behaviour both backends share, run on each system: library loading,
// the named mutex, thread names, the process id, the program's own file name, the environment and
// the local time.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/Environment.h"
#include "common/platform/LocalTime.h"
#include "common/platform/ModulePath.h"
#include "common/platform/NamedMutex.h"
#include "common/platform/ProcessId.h"
#include "common/platform/Syscalls.h"
#include "common/platform/ThreadName.h"
#include "platform/Backend.h"
#include "support/Portable.h"

namespace {

TEST(NamedMutex, ExcludesIndependentOpeners) {
    const std::string name = "spine-test-" + std::to_string(platform::currentProcessId());
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                // Each round opens its own mutex, as separate modules of a process would.
                platform::OsError error;
                auto mutex = platform::namedMutexFactory().open(name, error);
                ASSERT_NE(mutex, nullptr);
                ASSERT_TRUE(mutex->lock(error));
                if (inside.fetch_add(1) != 0) ++overlaps;
                ++counter;
                inside.fetch_sub(1);
                mutex->unlock();
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_EQ(counter, 800);
}

TEST(NamedMutex, RefusedCreationGivesNoMutex) {
    platformtest::refuseNamedMutexes();
    platform::OsError error;
    EXPECT_EQ(platform::namedMutexFactory().open("spine-refused", error), nullptr);
    platform::restoreRealSyscalls();
    EXPECT_EQ(error.code, platformtest::kRefusedMutexError);
}

TEST(DynamicLibrary, LoadsFindsAndReportsFailures) {
    platform::DynamicLibraryInterface& libraries = platform::dynamicLibrary();
    platform::OsError error;
    EXPECT_EQ(libraries.load("NoSuchLibraryAnywhere.dll", error), nullptr);
    // The message names the file as the system looked for it.
    const std::string native = platform::nativeLibraryName("NoSuchLibraryAnywhere.dll");
    EXPECT_NE(error.message.find(native), std::string::npos) << error.message;

    platform::LibraryHandle system = libraries.load(testsupport::kSystemLibrary, error);
    ASSERT_NE(system, nullptr) << error.message;
    EXPECT_NE(libraries.symbol(system, testsupport::kSystemFunction, error), nullptr);
    platform::OsError missing;
    EXPECT_EQ(libraries.symbol(system, "no_such_symbol_here", missing), nullptr);
    EXPECT_NE(missing.message.find("no_such_symbol_here"), std::string::npos) << missing.message;
    platform::LibraryHandle again = libraries.findLoaded(testsupport::kSystemLibrary);
    EXPECT_EQ(again, system);
    libraries.unload(again);
    libraries.unload(system);
    // Looking up never loads.
    EXPECT_EQ(libraries.findLoaded("NoSuchLibraryAnywhere.dll"), nullptr);
}

TEST(ThreadName, IsSetAndCutToTheSystemsLimit) {
    std::thread([] {
        platform::setCurrentThreadName("Quorrel::Worker");
        EXPECT_EQ(platform::currentThreadName(), "Quorrel::Worker");
        const std::string longer = "A much longer thread name";
        platform::setCurrentThreadName(longer);
        const size_t limit = platformtest::kThreadNameLimit;
        EXPECT_EQ(platform::currentThreadName(), limit == 0 ? longer : longer.substr(0, limit));
    }).join();
}

TEST(ProcessAndModule, IdentifyThisProcessAndProgram) {
    EXPECT_EQ(platform::currentProcessId(), platformtest::systemProcessId());
    static const int inThisProgram = 0;
    const std::string program = platform::moduleFileName(&inThisProgram);
    EXPECT_NE(program.find("platform_test"), std::string::npos) << program;
    EXPECT_EQ(platform::moduleFileName(nullptr), "");
}

TEST(Environment, ReadsTheSystemsVariables) {
    const char* const name = "ORV_PLATFORM_TEST_VALUE";
    testsupport::setEnvironment(name, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(platform::environment().variable(name).value_or("<none>"), "\xC3\xA9t\xC3\xA9");
    testsupport::setEnvironment(name, "");
    EXPECT_EQ(platform::environment().variable(name).value_or("<none>"), "");
    testsupport::unsetEnvironment(name);
    EXPECT_FALSE(platform::environment().variable(name).has_value());
}

TEST(LocalTime, CalendarFieldsOfAnInstant) {
    platform::CalendarFields fields;
    ASSERT_TRUE(platform::localCalendarFields(1700000000, fields));  // 2023-11-14 22:13:20 UTC
    EXPECT_EQ(fields.year, 2023u);
    EXPECT_EQ(fields.month, 11u);
    EXPECT_TRUE(fields.day == 14u || fields.day == 15u);
    EXPECT_EQ(fields.second, 20u);
}

}  // namespace
