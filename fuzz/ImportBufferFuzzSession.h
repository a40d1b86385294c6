#pragma once
// The simulated digitizer session that fuzzed documents are imported into: the driver's attribute
// table (session-wide and per-channel, every transferable type) over the in-memory engine of the
// import/export tests.
#include "support/FakeIviSession.h"

namespace impexp_fuzz {

inline constexpr int32_t kModelNumber = 5122;

inline void addDigitizerAttributes(impexp_test::FakeIviSession& session) {
    session.repCaps["Channel"] = {"0", "1"};
    session.add(1250001, "DIGISCAN_ATTR_VERTICAL_RANGE", IVI_VAL_REAL64, "Channel");
    session.add(1250002, "DIGISCAN_ATTR_VERTICAL_OFFSET", IVI_VAL_REAL64, "Channel");
    session.add(1250003, "DIGISCAN_ATTR_VERTICAL_COUPLING", IVI_VAL_INT32, "Channel");
    session.add(1250005, "DIGISCAN_ATTR_CHANNEL_ENABLED", IVI_VAL_BOOLEAN, "Channel");
    session.add(1250010, "DIGISCAN_ATTR_SAMPLE_RATE", IVI_VAL_REAL64);
    session.add(1250011, "DIGISCAN_ATTR_RECORD_LENGTH", IVI_VAL_INT64);
    session.add(1250012, "DIGISCAN_ATTR_TRIGGER_SOURCE", IVI_VAL_STRING);
    session.add(1250016, "DIGISCAN_ATTR_MASTER_SESSION", IVI_VAL_SESSION);
    session.add(1250017, "DIGISCAN_ATTR_USER_DATA", IVI_VAL_ADDR);
}

}  // namespace impexp_fuzz
