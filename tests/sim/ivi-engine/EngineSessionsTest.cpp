#include <cstdint>
#include <thread>
#include <vector>

#include "SimFixture.h"

using SessionTest = SimEngineTest;

TEST_F(SessionTest, HandlesAreNeverZeroNorReused) {
    ViSession a = VI_NULL, b = VI_NULL;
    ASSERT_EQ(VI_SUCCESS, Ivi_SpecificDriverNew("Test", "", &a));
    ASSERT_EQ(VI_SUCCESS, Ivi_Dispose(a));
    ASSERT_EQ(VI_SUCCESS, SimIvi_CreateSession(nullptr, &b));
    EXPECT_NE(VI_NULL, a);
    EXPECT_NE(a, b);
    EXPECT_NE(vi_, b);
    EXPECT_EQ(VI_FALSE, Ivi_SessionIsAvailable(a));
    EXPECT_EQ(VI_TRUE, Ivi_SessionIsAvailable(b));
    EXPECT_EQ(VI_FALSE, Ivi_SessionIsAvailable(VI_NULL));
    EXPECT_EQ(2, SimIvi_SessionCount());
}

TEST_F(SessionTest, LockIsRecursivePerThread) {
    ASSERT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, nullptr));
    ASSERT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, nullptr));
    EXPECT_EQ(2, SimIvi_LockCount(vi_));

    // Another thread neither owns it nor may release it.
    ViStatus foreignUnlock = VI_SUCCESS;
    std::thread([&] { foreignUnlock = Ivi_UnlockSession(vi_, nullptr); }).join();
    EXPECT_EQ(IVI_ERROR_SESSION_NOT_LOCKED, foreignUnlock);

    EXPECT_EQ(VI_SUCCESS, Ivi_UnlockSession(vi_, nullptr));
    EXPECT_EQ(VI_SUCCESS, Ivi_UnlockSession(vi_, nullptr));
    EXPECT_EQ(0, SimIvi_LockCount(vi_));
    EXPECT_EQ(IVI_ERROR_SESSION_NOT_LOCKED, Ivi_UnlockSession(vi_, nullptr));
}

TEST_F(SessionTest, LockRefusesNullAndUnknownHandles) {
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_LockSession(VI_NULL, nullptr));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_LockSession(kUnknownHandle, nullptr));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_UnlockSession(kUnknownHandle, nullptr));
    EXPECT_EQ(-1, SimIvi_LockCount(kUnknownHandle));
    ASSERT_EQ(VI_SUCCESS, SimIvi_DestroySession(vi_));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_LockSession(vi_, nullptr));
}

TEST_F(SessionTest, CallerHasLockFlagMakesLockingIdempotent) {
    ViBoolean hasLock = VI_FALSE;
    ASSERT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, &hasLock));
    EXPECT_EQ(VI_TRUE, hasLock);
    ASSERT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, &hasLock));
    EXPECT_EQ(1, SimIvi_LockCount(vi_));
    ASSERT_EQ(VI_SUCCESS, Ivi_UnlockSession(vi_, &hasLock));
    EXPECT_EQ(VI_FALSE, hasLock);
    ASSERT_EQ(VI_SUCCESS, Ivi_UnlockSession(vi_, &hasLock));
    EXPECT_EQ(0, SimIvi_LockCount(vi_));
}

TEST_F(SessionTest, LockSerialisesThreads) {
    // An unguarded read-modify-write: correct totals (and a quiet thread sanitizer) need the lock.
    int64_t counter = 0;
    const int kThreads = 4, kRounds = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                if (Ivi_LockSession(vi_, nullptr) != VI_SUCCESS) return;
                const int64_t seen = counter;
                counter = seen + 1;
                Ivi_UnlockSession(vi_, nullptr);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(int64_t(kThreads) * kRounds, counter);
    EXPECT_EQ(0, SimIvi_LockCount(vi_));
}

TEST_F(SessionTest, DisposeReleasesWaitersWithAnError) {
    ASSERT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, nullptr));
    ViStatus waiter = VI_SUCCESS;
    std::thread thread([&] { waiter = Ivi_LockSession(vi_, nullptr); });
    ASSERT_EQ(VI_SUCCESS, Ivi_Dispose(vi_));
    thread.join();
    // The waiter either found the session gone or was woken by its closing.
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, waiter);
}

TEST_F(SessionTest, EngineStateIsSharedSafelyBetweenThreads) {
    // Sessions come and go while others are read and written; totals must add up.
    const int kThreads = 4, kRounds = 200;
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                ViSession own = VI_NULL;
                ViInt32 read = -1;
                bool ok = SimIvi_CreateSession(nullptr, &own) == VI_SUCCESS &&
                          SimIvi_AddAttribute(own, nullptr, kSessionInt, "OWN", IVI_VAL_INT32, 0) == VI_SUCCESS &&
                          Ivi_SetAttributeViInt32(own, "", kSessionInt, IVI_VAL_DIRECT_USER_CALL, i) == VI_SUCCESS &&
                          Ivi_SetAttributeViInt32(vi_, "", kSessionInt, 0, i) == VI_SUCCESS &&
                          Ivi_SetErrorInfo(VI_NULL, VI_TRUE, -1, 0, "shared") == VI_SUCCESS &&
                          Ivi_GetAttributeViInt32(own, "", kSessionInt, 0, &read) == VI_SUCCESS && read == i &&
                          Ivi_Dispose(own) == VI_SUCCESS;
                if (!ok) ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(std::vector<int>(kThreads, 0), failures);
    EXPECT_EQ(1, SimIvi_SessionCount());
}
