// The text form of a GUID, both ways.
#include <gtest/gtest.h>

#include <string>

#include "explorer/QuorrelExports.h"
#include "quorrel/dsc/GuidText.h"

TEST(GuidText, FormatsBracedUpperCaseAndParsesBack) {
    const tSSRawGUID id{0x0a1b2c3d, 0x4e5f, 0x6071, {0x82, 0x93, 0xa4, 0xb5, 0xc6, 0xd7, 0xe8, 0xf9}};
    const std::string text = orv::dsc::guidToString(id);
    EXPECT_EQ("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}", text);
    EXPECT_TRUE(orv::dsc::guidFromString(text) == id);
    EXPECT_TRUE(orv::dsc::guidFromString("0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9") == id);
    for (const char* bad : {"", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F}", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}",
                            "{0A1B2C3D+4E5F-6071-8293-A4B5C6D7E8F9}", "[0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9]"}) {
        try {
            orv::dsc::guidFromString(bad);
            ADD_FAILURE() << bad;
        } catch (const orv::dsc::exception::BadGuidString& error) {
            EXPECT_STREQ("Badly formatted Guid string.", error.what());
        }
    }
    EXPECT_TRUE(orv::dsc::toRawGuid(orv::dsc::toGuid(id)) == id);
}
