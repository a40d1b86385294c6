// ORV_STORAGE_FILE names a file that does not exist: the storage cannot be opened.
#include <gtest/gtest.h>

#include "storage/SimStorage.h"
#include "storage/StorageAccess.h"
#include "storage/StorageStatus.h"

namespace {

TEST(StorageMissing, SessionFailsUntilContentIsLoaded) {
    nORVMDBG100::tStatus2 status;
    EXPECT_EQ(nORVDPAI100::getSession(L"", status), nullptr);
    EXPECT_EQ(status.getCode(), nORVDPAI100::kStatusStorageUnreadable);

    ASSERT_EQ(SimStorage_load(SimStorage_defaultDescription()), 0);
    nORVMDBG100::tStatus2 second;
    nORVMS100::iStorageSession* session = nORVDPAI100::getSession(L"", second);
    EXPECT_NE(session, nullptr);
    nORVDPAI100::releaseSession(session, second);
    EXPECT_EQ(second.getCode(), 0);
}

}  // namespace
