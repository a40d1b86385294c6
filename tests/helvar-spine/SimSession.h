#pragma once
// A simulated digitizer session for one test; closes Helvar's object and the session after it.
#include <string>

#include "Digiscan.h"
#include "SimIvi.h"

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

}  // namespace spine_test
