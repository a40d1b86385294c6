// The storage stand-in reading the description named by ORV_STORAGE_FILE.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"

namespace {

using namespace simtest;

TEST(StorageFile, ReadsTheNamedDescription) {
    std::vector<std::string> expected = {"{0B1E0001-0000-4000-8000-000000000001}",
                                         "{0B1E0002-0000-4000-8000-000000000002}"};
    EXPECT_EQ(deviceIDs(), expected);
    // Only upper-case "HSDR", anywhere in the class text, selects a device.
    EXPECT_EQ(selectedDevices(), std::vector<std::string>{expected[0]});

    ReadScope scope;
    LastText alias;
    nORVDPAI100::getObjectStringProperty(scope.reader(), guid(expected[0].c_str()), 9553, alias, scope.status);
    EXPECT_EQ(alias.text, L"Wideband \u00e9");
    EXPECT_EQ(nORVDPAI100::getObjectI32Property(scope.reader(), guid(expected[0].c_str()), 8998, scope.status), 14706);
    EXPECT_EQ(nORVDPAI100::getDeviceAttributeU32(L"", guid(expected[0].c_str()), 9000, scope.status), 11u);
    EXPECT_EQ(scope.status.getCode(), 0);
}

TEST(StorageFile, BuiltInSetStaysAvailable) {
    ASSERT_EQ(SimStorage_load(SimStorage_defaultDescription()), 0);
    EXPECT_EQ(deviceIDs().size(), 11u);
    ASSERT_EQ(SimStorage_load(nullptr), 0);  // back to the file
    EXPECT_EQ(deviceIDs().size(), 2u);
}

}  // namespace
