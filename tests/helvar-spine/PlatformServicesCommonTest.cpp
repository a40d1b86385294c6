// Platform services whose behaviour both backends share, run on each system.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/NamedMutex.h"
#include "common/platform/ProcessId.h"

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
