// The engine binding against a table-driven loader: load order, required and optional
// functions, the forwarding defaults and the load-failure message.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "FakeLibraries.h"
#include "common/orverr/Codes.h"
#include "common/platform/NamedMutex.h"
#include "helvar/miivi/IviEngineBinding.h"

namespace {

using miivi::EngineFunction;
using miivi::IviEngineBinding;
using spine_test::FakeLibraries;
using spine_test::FakeMutexes;

// Distinct non-null addresses for names that are only resolved, never called.
char gDummy[miivi::kEngineFunctionCount];

struct Calls {
    // Written from several threads by the concurrent-load case.
    static inline std::atomic<ViSession> lastVi{0};
    static inline std::atomic<ViAttr> lastId{0};
};
extern "C" ViStatus fakeLock(ViSession vi, ViBoolean*) { return Calls::lastVi = vi, 7; }
extern "C" ViBoolean fakeSessionAvailable(ViSession vi) { return Calls::lastVi = vi, 0; }
extern "C" ViBoolean fakeSimulating(ViSession) { return VI_TRUE; }
extern "C" ViStatus fakeGetErrorMessage(ViStatus, ViChar message[256]) { return std::strcpy(message, "engine text"), 0; }
extern "C" ViStatus fakeGetInt32(ViSession vi, ViConstString, ViAttr id, ViInt32, ViInt32* value) {
    Calls::lastVi = vi;
    Calls::lastId = id;
    *value = 42;
    return 0;
}

std::map<std::string, void*> completeEngine() {
    std::map<std::string, void*> symbols;
    for (std::size_t i = 0; i < miivi::kEngineFunctionCount; ++i) symbols[miivi::kEngineFunctions[i].name] = &gDummy[i];
    symbols["Ivi_LockSession"] = reinterpret_cast<void*>(&fakeLock);
    symbols["Ivi_SessionIsAvailable"] = reinterpret_cast<void*>(&fakeSessionAvailable);
    symbols["Ivi_Simulating"] = reinterpret_cast<void*>(&fakeSimulating);
    symbols["Ivi_GetErrorMessage"] = reinterpret_cast<void*>(&fakeGetErrorMessage);
    symbols["Ivi_GetAttributeViInt32"] = reinterpret_cast<void*>(&fakeGetInt32);
    return symbols;
}

class EngineBinding : public ::testing::Test {
protected:
    FakeLibraries libraries;
    FakeMutexes mutexes;
    IviEngineBinding binding{libraries, mutexes, 4321};
};

TEST(EngineNames, TableHasTheRequiredThenTheOptionalFunctions) {
    EXPECT_STREQ(miivi::kEngineFunctions[0].name, "Ivi_DefaultCheckCallbackViInt32");
    EXPECT_STREQ(miivi::kEngineFunctions[162].name, "Ivi_ValidateAttribute");
    EXPECT_TRUE(miivi::kEngineFunctions[162].required);
    EXPECT_FALSE(miivi::kEngineFunctions[163].required);
    EXPECT_STREQ(miivi::kEngineFunctions[237].name, "Ivi_SessionIsAvailable");
}

TEST_F(EngineBinding, AbsentEngineGivesLoadFailureEverywhereAndDescribesIt) {
    ViBoolean has = 0;
    EXPECT_EQ(binding.Ivi_LockSession(1, &has), orverr::engine::kLoadFailed);
    EXPECT_EQ(binding.Ivi_GetAttributeViInt64(1, "", 1, 0, nullptr), orverr::engine::kLoadFailed);
    EXPECT_EQ(binding.Ivi_SessionIsAvailable(1), VI_FALSE);
    EXPECT_EQ(binding.Ivi_AttributeIsAvailable(1, 5), VI_FALSE);
    EXPECT_EQ(binding.Ivi_AttributeWasSetByUser(1, "", 5), VI_FALSE);
    EXPECT_EQ(binding.Ivi_Simulating(1), VI_FALSE);
    EXPECT_EQ(binding.Ivi_IOSession(1), 0u);
    EXPECT_EQ(binding.Ivi_SpecificDriverSession(1), static_cast<ViSession>(orverr::engine::kLoadFailed));
    EXPECT_FALSE(binding.isLoaded());

    ViChar message[256] = "x";
    EXPECT_EQ(binding.Ivi_GetErrorMessage(orverr::engine::kLoadFailed, message), VI_SUCCESS);
    EXPECT_STREQ(message, "Unable to load IVI Engine (ivi.dll)");
    EXPECT_EQ(binding.Ivi_GetErrorMessage(-1, message), orverr::engine::kLoadFailed);

    // orvivi first, then ivi; every call tries again under this process's mutex.
    ASSERT_GE(libraries.loadAttempts.size(), 2u);
    EXPECT_EQ(libraries.loadAttempts[0], "orvivi.dll");
    EXPECT_EQ(libraries.loadAttempts[1], "ivi.dll");
    EXPECT_EQ(mutexes.names.front(), "Orvane Quillmere IVI Engine Library 4321");
    EXPECT_EQ(mutexes.locks, mutexes.unlocks);
}

TEST_F(EngineBinding, RefusedMutexIsALoadFailure) {
    libraries.libraries["ivi.dll"] = completeEngine();
    mutexes.refuse = true;
    EXPECT_EQ(binding.load(), orverr::engine::kLoadFailed);
    EXPECT_TRUE(libraries.loadAttempts.empty());
    EXPECT_EQ(binding.Ivi_SessionIsAvailable(1), VI_FALSE);
    mutexes.refuse = false;
    EXPECT_EQ(binding.load(), VI_SUCCESS);
}

TEST_F(EngineBinding, PrefersOrvivi) {
    libraries.libraries["orvivi.dll"] = completeEngine();
    libraries.libraries["ivi.dll"] = {};
    EXPECT_EQ(binding.load(), VI_SUCCESS);
    EXPECT_EQ(libraries.loadAttempts, std::vector<std::string>{"orvivi.dll"});
}

TEST_F(EngineBinding, MissingRequiredFunctionStopsResolvingUnloadsAndIsRetried) {
    auto symbols = completeEngine();
    symbols.erase("Ivi_DefaultCoerceCallbackViReal64");  // the 4th required name
    libraries.libraries["ivi.dll"] = symbols;

    EXPECT_EQ(binding.Ivi_LockSession(1, nullptr), orverr::engine::kFunctionMissing);
    EXPECT_EQ(libraries.symbolLookups.size(), 4u);
    EXPECT_EQ(libraries.symbolLookups.back(), "Ivi_DefaultCoerceCallbackViReal64");
    EXPECT_EQ(libraries.loaded, 0);
    EXPECT_FALSE(binding.isLoaded());
    EXPECT_EQ(binding.entry(EngineFunction::Ivi_LockSession), nullptr);
    ViChar message[256] = {};
    EXPECT_EQ(binding.Ivi_GetErrorMessage(orverr::engine::kFunctionMissing, message), orverr::engine::kFunctionMissing);

    // Once the library is complete the next call loads it.
    libraries.libraries["ivi.dll"] = completeEngine();
    EXPECT_EQ(binding.Ivi_LockSession(9, nullptr), 7);
    EXPECT_TRUE(binding.isLoaded());
    EXPECT_EQ(libraries.loaded, 1);
    EXPECT_EQ(Calls::lastVi.load(), 9u);
}

TEST_F(EngineBinding, MissingLastRequiredFunctionIsFound) {
    auto symbols = completeEngine();
    symbols.erase("Ivi_ValidateAttribute");
    libraries.libraries["ivi.dll"] = symbols;
    EXPECT_EQ(binding.load(), orverr::engine::kFunctionMissing);
    EXPECT_EQ(libraries.symbolLookups.size(), miivi::kRequiredEngineFunctionCount);
}

TEST_F(EngineBinding, MissingOptionalFunctionsFollowTheForwardingTable) {
    auto symbols = completeEngine();
    symbols.erase("Ivi_SessionIsAvailable");
    symbols.erase("Ivi_AttributeIsAvailable");
    symbols.erase("Ivi_GetAttributeViInt64");
    symbols.erase("Ivi_GetNthRepCapName");
    symbols.erase("Ivi_SpecificDriverSession");
    libraries.libraries["ivi.dll"] = symbols;

    EXPECT_EQ(binding.load(), VI_SUCCESS);
    EXPECT_EQ(libraries.symbolLookups.size(), miivi::kEngineFunctionCount);
    EXPECT_EQ(binding.Ivi_SessionIsAvailable(3), VI_TRUE);
    EXPECT_EQ(binding.Ivi_AttributeIsAvailable(3, 1100141), VI_TRUE);
    ViInt64 value = 0;
    EXPECT_EQ(binding.Ivi_GetAttributeViInt64(3, "", 1, 0, &value), orverr::engine::kFunctionMissing);
    EXPECT_EQ(binding.Ivi_GetNthRepCapName(3, "Channel", 1, nullptr), orverr::engine::kFunctionMissing);
    EXPECT_EQ(binding.Ivi_SpecificDriverSession(3), 0u);
    EXPECT_EQ(binding.Ivi_Simulating(3), VI_TRUE);
}

TEST_F(EngineBinding, ForwardsArgumentsAndResultsAndLoadsOnce) {
    libraries.libraries["ivi.dll"] = completeEngine();
    ViInt32 value = 0;
    EXPECT_EQ(binding.Ivi_GetAttributeViInt32(11, "", 1100105, 0, &value), VI_SUCCESS);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(Calls::lastVi.load(), 11u);
    EXPECT_EQ(Calls::lastId.load(), 1100105u);
    EXPECT_EQ(binding.Ivi_SessionIsAvailable(12), VI_FALSE);  // the engine's own answer
    ViChar message[256] = {};
    EXPECT_EQ(binding.Ivi_GetErrorMessage(orverr::engine::kLoadFailed, message), VI_SUCCESS);
    EXPECT_STREQ(message, "engine text");
    EXPECT_EQ(libraries.loadAttempts, (std::vector<std::string>{"orvivi.dll", "ivi.dll"}));
    EXPECT_EQ(mutexes.locks, 1);
}

TEST(EngineBindingThreads, ConcurrentFirstCallsLoadOnce) {
    FakeLibraries libraries;
    libraries.libraries["ivi.dll"] = completeEngine();
    // The real per-process mutex: only one thread may run the load.
    IviEngineBinding binding(libraries, platform::namedMutexFactory(), 777001);
    std::vector<std::thread> threads;
    std::vector<ViStatus> results(8, -1);
    for (std::size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] { results[t] = binding.Ivi_LockSession(static_cast<ViSession>(t + 1), nullptr); });
    for (auto& thread : threads) thread.join();
    for (ViStatus result : results) EXPECT_EQ(result, 7);
    EXPECT_EQ(libraries.loadAttempts, (std::vector<std::string>{"orvivi.dll", "ivi.dll"}));
    EXPECT_EQ(libraries.loaded, 1);
}

TEST(EngineBindingThreads, ConcurrentFailedLoadsLeaveNothingLoaded) {
    FakeLibraries libraries;
    auto symbols = completeEngine();
    symbols.erase("Ivi_GetAttributeName");
    libraries.libraries["ivi.dll"] = symbols;
    IviEngineBinding binding(libraries, platform::namedMutexFactory(), 777002);
    std::vector<std::thread> threads;
    std::vector<ViStatus> results(6, 0);
    for (std::size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] { results[t] = binding.Ivi_UnlockSession(1, nullptr); });
    for (auto& thread : threads) thread.join();
    for (ViStatus result : results) EXPECT_EQ(result, orverr::engine::kFunctionMissing);
    EXPECT_EQ(libraries.loaded, 0);
    EXPECT_FALSE(binding.isLoaded());
}

}  // namespace
