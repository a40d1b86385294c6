#pragma once
// A simulated digitizer session for one test; closes Helvar's object and the session after it.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Digiscan.h"
#include "IviEngine.h"
#include "SimIvi.h"
#include "common/orverr/Exception.h"

namespace spine_test {

class SimSession {
public:
    explicit SimSession(const std::string& options = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=") {
        status_ = Digiscan_InitWithOptions("PXI1::0::INSTR", VI_FALSE, VI_FALSE, options.c_str(), &vi_);
    }
    ~SimSession() {
        if (vi_) Digiscan_close(vi_);
    }
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    ViSession vi() const { return vi_; }
    ViStatus openStatus() const { return status_; }

private:
    ViSession vi_ = 0;
    ViStatus status_ = 0;
};

struct PendingError {
    ViStatus primary = 0;
    ViStatus secondary = 0;
    std::string elaboration;
};

// The handle's pending error, left pending.
inline PendingError pendingError(ViSession vi) {
    PendingError error;
    const ViStatus needed = SimIvi_GetPendingError(vi, &error.primary, &error.secondary, 0, nullptr);
    if (needed > 0) {
        std::string text(static_cast<std::size_t>(needed), '\0');
        SimIvi_GetPendingError(vi, &error.primary, &error.secondary, needed, &text[0]);
        error.elaboration = text.c_str();
    }
    return error;
}

// A test on one open simulated session, with no injections and no pending error at its start.
class SimSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        SimIvi_ClearInjections();
        Ivi_ClearErrorInfo(0);
        ASSERT_EQ(session.openStatus(), VI_SUCCESS);
        Ivi_ClearErrorInfo(session.vi());
        SimIvi_ResetCounters();
    }
    void TearDown() override { SimIvi_ClearInjections(); }

    // Runs f, which must raise; returns the raised status's code and document.
    template <class F>
    std::pair<ViStatus, std::string> raised(F&& f) {
        try {
            f();
        } catch (const orverr::Exception& e) {
            return {e.code(), e.what()};
        }
        ADD_FAILURE() << "nothing raised";
        return {0, ""};
    }

    SimSession session;
};

}  // namespace spine_test
