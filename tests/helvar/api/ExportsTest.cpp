// The eight exports of libHelvar.so against the simulated engine and driver: registration,
// the handle each failure is recorded against, the session lock and bad input.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Helvar.h"
#include "IviEngine.h"
#include "support/SimSession.h"

namespace {

using spine_test::pendingError;
using spine_test::SimSession;

struct Operation {
    const char* name;
    std::function<ViStatus(ViSession)> call;
};

const std::vector<Operation>& sixOperations() {
    static char buffer[64];
    static const std::vector<Operation> operations = {
        {"ImportFile", [](ViSession vi) { return Helvar_ImportAttributeConfigurationFile(vi, "/nonexistent/a.json"); }},
        {"ExportFile", [](ViSession vi) { return Helvar_ExportAttributeConfigurationFile(vi, "/nonexistent/a.json"); }},
        {"ImportBuffer", [](ViSession vi) { return Helvar_ImportAttributeConfigurationBuffer(vi, 2, "{}"); }},
        {"ExportBuffer", [](ViSession vi) { return Helvar_ExportAttributeConfigurationBuffer(vi, sizeof buffer, buffer); }},
        {"Save", [](ViSession vi) { return Helvar_SaveAttributes(vi); }},
        {"Restore", [](ViSession vi) { return Helvar_RestoreAttributes(vi); }},
    };
    return operations;
}

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        SimIvi_ClearInjections();
        ASSERT_EQ(session.openStatus(), VI_SUCCESS);
        clearErrors();
    }
    void TearDown() override {
        SimIvi_ClearInjections();
        Helvar_Close(session.vi());  // never leave an object behind in a closed driver session
    }
    void clearErrors() {
        Ivi_ClearErrorInfo(0);
        Ivi_ClearErrorInfo(session.vi());
    }
    ViAddr registeredObject() {
        ViAddr address = nullptr;
        if (Ivi_AttributeIsAvailable(session.vi(), HELVAR_ATTR_SESSION_OBJECT) != VI_TRUE) return nullptr;
        Ivi_GetAttributeViAddr(session.vi(), nullptr, HELVAR_ATTR_SESSION_OBJECT, 0, &address);
        return address;
    }

    SimSession session;
};

TEST_F(Exports, InitializeRegistersTheObjectUnderItsNameAndCloseRemovesIt) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    EXPECT_NE(registeredObject(), nullptr);
    ViChar name[256] = {};
    ASSERT_EQ(Ivi_GetAttributeName(vi, HELVAR_ATTR_SESSION_OBJECT, sizeof name, name), VI_SUCCESS);
    EXPECT_STREQ(name, HELVAR_ATTR_SESSION_OBJECT_NAME);
    EXPECT_STREQ(name, "((1000000 + 100000) + 141L)");
    EXPECT_EQ(pendingError(0).primary, 0);

    EXPECT_EQ(Helvar_Close(vi), VI_SUCCESS);
    EXPECT_EQ(Ivi_AttributeIsAvailable(vi, HELVAR_ATTR_SESSION_OBJECT), VI_FALSE);
}

TEST_F(Exports, CloseTwiceFailsTheSecondTimeAgainstTheNullHandle) {
    ASSERT_EQ(Helvar_Initialize(session.vi()), VI_SUCCESS);
    ASSERT_EQ(Helvar_Close(session.vi()), VI_SUCCESS);
    EXPECT_EQ(Helvar_Close(session.vi()), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
    EXPECT_EQ(pendingError(0).primary, HELVAR_ERROR_SESSION_NOT_INITIALIZED);
    // The export path describes elaborations only, and this status has none.
    EXPECT_TRUE(pendingError(0).elaboration.empty());
    EXPECT_EQ(pendingError(session.vi()).primary, 0);
}

TEST_F(Exports, InitializeTwiceKeepsTheFirstObject) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    const ViAddr first = registeredObject();
    const ViStatus second = Helvar_Initialize(vi);
    EXPECT_EQ(second, IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS);
    EXPECT_EQ(pendingError(0).primary, second);
    EXPECT_EQ(pendingError(vi).primary, 0);
    EXPECT_EQ(registeredObject(), first);
    // The first object still serves operations.
    for (const Operation& operation : sixOperations())
        EXPECT_NE(operation.call(vi), HELVAR_ERROR_SESSION_NOT_INITIALIZED) << operation.name;
    EXPECT_EQ(Helvar_Close(vi), VI_SUCCESS);
    EXPECT_EQ(Helvar_Close(vi), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
}

TEST_F(Exports, OperationsWithoutObjectFailAgainstTheCallersHandleAndUnlock) {
    const ViSession vi = session.vi();
    auto check = [&](const char* when) {
        for (const Operation& operation : sixOperations()) {
            clearErrors();
            EXPECT_EQ(operation.call(vi), HELVAR_ERROR_SESSION_NOT_INITIALIZED) << when << operation.name;
            EXPECT_EQ(pendingError(vi).primary, HELVAR_ERROR_SESSION_NOT_INITIALIZED) << when << operation.name;
            EXPECT_EQ(pendingError(0).primary, 0) << when << operation.name;
            EXPECT_EQ(SimIvi_LockCount(vi), 0) << when << operation.name;
        }
    };
    check("before Initialize: ");
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    ASSERT_EQ(Helvar_Close(vi), VI_SUCCESS);
    check("after Close: ");
}

TEST_F(Exports, RegisteredOperationsReleaseTheLockAndRecordAgainstTheCaller) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    for (const Operation& operation : sixOperations()) {
        clearErrors();
        const ViStatus status = operation.call(vi);
        EXPECT_EQ(SimIvi_LockCount(vi), 0) << operation.name;
        EXPECT_EQ(pendingError(0).primary, 0) << operation.name;
        if (status < 0) {
            EXPECT_EQ(pendingError(vi).primary, status) << operation.name;
        }
    }
    EXPECT_NE(registeredObject(), nullptr);
}

TEST_F(Exports, RefusedLockIsRecordedAgainstTheNullHandle) {
    for (ViSession handle : {ViSession{0}, ViSession{987654}, ViSession{0xFFFFFFFF}}) {
        for (const Operation& operation : sixOperations()) {
            clearErrors();
            const ViStatus status = operation.call(handle);
            EXPECT_LT(status, 0) << operation.name;
            EXPECT_NE(status, HELVAR_ERROR_SESSION_NOT_INITIALIZED) << operation.name;
            EXPECT_EQ(pendingError(0).primary, status) << operation.name;
        }
        clearErrors();
        EXPECT_EQ(Helvar_Close(handle), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
        EXPECT_EQ(pendingError(0).primary, HELVAR_ERROR_SESSION_NOT_INITIALIZED);
        clearErrors();
        EXPECT_LT(Helvar_Initialize(handle), 0);
        EXPECT_LT(pendingError(0).primary, 0);
    }
}

TEST_F(Exports, UnlockFailureDoesNotChangeTheResult) {
    const ViSession vi = session.vi();
    SimIvi_InjectFailure("Ivi_UnlockSession", IVI_ERROR_SESSION_NOT_LOCKED, 0, 1);
    EXPECT_EQ(Helvar_SaveAttributes(vi), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
    SimIvi_ClearInjections();
    Ivi_UnlockSession(vi, nullptr);  // the injected failure left the lock held
    EXPECT_EQ(SimIvi_LockCount(vi), 0);
}

TEST_F(Exports, LanguageOutsideTheKnownOnesStillInitializes) {
    for (const char* language : {"7", "-1"}) {
        SimSession odd(std::string("Simulate=1,DriverSetup=Language:") + language);
        EXPECT_EQ(Helvar_Initialize(odd.vi()), VI_SUCCESS) << language;
        EXPECT_EQ(Helvar_Close(odd.vi()), VI_SUCCESS) << language;
    }
}

TEST_F(Exports, FailedAttributeReadInInitializeLeavesNothingRegistered) {
    for (const char* omitted : {"1199999", "1100105"}) {
        SimSession partial(std::string("Simulate=1,DriverSetup=Omit:") + omitted);
        clearErrors();
        const ViStatus status = Helvar_Initialize(partial.vi());
        EXPECT_LT(status, 0) << omitted;
        EXPECT_EQ(pendingError(0).primary, status) << omitted;
        EXPECT_EQ(Ivi_AttributeIsAvailable(partial.vi(), HELVAR_ATTR_SESSION_OBJECT), VI_FALSE) << omitted;
    }
}

TEST_F(Exports, WarningsAreRecordedAndNotReturned) {
    const ViSession vi = session.vi();
    SimIvi_InjectWarning("Ivi_GetAttributeViBoolean", 1073348709, 1, 1);
    EXPECT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    EXPECT_EQ(pendingError(vi).primary, 1073348709);
    EXPECT_EQ(pendingError(0).primary, 0);
    SimIvi_ClearInjections();
    clearErrors();
    SimIvi_InjectWarning("Ivi_LockSession", 1073348710, 0, 1);
    const ViStatus status = Helvar_SaveAttributes(vi);
    EXPECT_LE(status, 0);
    // The warning is there unless the operation's own failure replaced it (engines keep the first).
    if (status == 0) {
        EXPECT_EQ(pendingError(vi).primary, 1073348710);
    }
    EXPECT_NE(pendingError(vi).primary, 0);
}

TEST_F(Exports, BadArgumentsAreRefusedAgainstTheCallerBeforeAnyWork) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    char buffer[16] = "untouched";
    const std::vector<std::function<ViStatus()>> calls = {
        [&] { return Helvar_ImportAttributeConfigurationFile(vi, nullptr); },
        [&] { return Helvar_ExportAttributeConfigurationFile(vi, nullptr); },
        [&] { return Helvar_ImportAttributeConfigurationBuffer(vi, 10, nullptr); },
        [&] { return Helvar_ExportAttributeConfigurationBuffer(vi, 10, nullptr); },
        [&] { return Helvar_ExportAttributeConfigurationBuffer(vi, -5, buffer); },
        [&] { return Helvar_ExportAttributeConfigurationBuffer(vi, -1, nullptr); },
        [&] { return Helvar_ImportAttributeConfigurationBuffer(vi, -1, "{}"); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        clearErrors();
        SimIvi_ResetCounters();
        EXPECT_EQ(calls[i](), HELVAR_ERROR_INVALID_VALUE) << i;
        EXPECT_EQ(pendingError(vi).primary, HELVAR_ERROR_INVALID_VALUE) << i;
        EXPECT_EQ(SimIvi_LockCount(vi), 0);
        // Nothing was read from the session or the driver.
        EXPECT_EQ(SimIvi_CallCount("Ivi_GetAttributeViReal64"), 0) << i;
        EXPECT_EQ(SimIvi_CallCount("DigiscanSub_GetAttributeWithOptionsViReal64"), 0) << i;
    }
    EXPECT_STREQ(buffer, "untouched");
}

TEST_F(Exports, ConcurrentOperationsOnOneSessionLeaveItUnlocked) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([vi] {
            for (int i = 0; i < 25; ++i)
                for (const Operation& operation : sixOperations()) operation.call(vi);
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(SimIvi_LockCount(vi), 0);
    EXPECT_EQ(Helvar_Close(vi), VI_SUCCESS);
}

TEST_F(Exports, BufferExportReportsTheSizeThenCopiesExactly) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    const ViStatus needed = Helvar_ExportAttributeConfigurationBuffer(vi, 0, nullptr);
    ASSERT_GT(needed, 1);

    std::string small(static_cast<std::size_t>(needed) - 1, '#');
    clearErrors();
    EXPECT_EQ(Helvar_ExportAttributeConfigurationBuffer(vi, needed - 1, &small[0]), HELVAR_ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(small, std::string(static_cast<std::size_t>(needed) - 1, '#'));
    EXPECT_EQ(pendingError(vi).primary, HELVAR_ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(SimIvi_LockCount(vi), 0);

    std::string exact(static_cast<std::size_t>(needed) + 1, '#');
    EXPECT_EQ(Helvar_ExportAttributeConfigurationBuffer(vi, needed, &exact[0]), VI_SUCCESS);
    EXPECT_EQ(exact[static_cast<std::size_t>(needed) - 1], '\0');
    EXPECT_EQ(exact.back(), '#');
    EXPECT_EQ(std::string(exact.c_str()).size(), static_cast<std::size_t>(needed) - 1);
    EXPECT_EQ(exact.front(), '{');
}

TEST_F(Exports, RestoreWithoutSaveIsACorruptedDocumentAndSaveWarningsAreNotReturned) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    EXPECT_EQ(Helvar_RestoreAttributes(vi), HELVAR_ERROR_CORRUPTED_FORMAT);
    EXPECT_EQ(pendingError(vi).primary, HELVAR_ERROR_CORRUPTED_FORMAT);
    clearErrors();
    SimIvi_InjectWarning("Ivi_LockSession", 1073348710, 0, 1);
    EXPECT_EQ(Helvar_SaveAttributes(vi), VI_SUCCESS);
    EXPECT_EQ(pendingError(vi).primary, 1073348710);
    EXPECT_EQ(Helvar_RestoreAttributes(vi), VI_SUCCESS);
}

TEST_F(Exports, ShortImportSizeParsesOnlyThatManyBytes) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Helvar_Initialize(vi), VI_SUCCESS);
    const ViStatus needed = Helvar_ExportAttributeConfigurationBuffer(vi, 0, nullptr);
    std::string document(static_cast<std::size_t>(needed), '\0');
    ASSERT_EQ(Helvar_ExportAttributeConfigurationBuffer(vi, needed, &document[0]), VI_SUCCESS);
    EXPECT_EQ(Helvar_ImportAttributeConfigurationBuffer(vi, needed - 1, document.c_str()), VI_SUCCESS);
    EXPECT_EQ(Helvar_ImportAttributeConfigurationBuffer(vi, needed / 2, document.c_str()), HELVAR_ERROR_CORRUPTED_FORMAT);
}

}  // namespace
