// Which devices the expert shows, and the attributes of each bus kind.
#include <gtest/gtest.h>

#include "quorrel/expertbase/DeviceRules.h"

namespace rules = nORVMISysAPICommon100;

TEST(DeviceRules, ClassTextAndDebugAttribute) {
    EXPECT_TRUE(rules::classDescriptionQualifies(L"Orvane Digiscan HSDR-5162 Digitizer"));
    EXPECT_TRUE(rules::classDescriptionQualifies(L"HSDR"));
    EXPECT_FALSE(rules::classDescriptionQualifies(L"Orvane hsdr-5100"));
    EXPECT_FALSE(rules::classDescriptionQualifies(L"HSD R"));
    EXPECT_TRUE(rules::classDebugAttributeQualifies(true, 0));
    EXPECT_TRUE(rules::classDebugAttributeQualifies(true, 3));
    EXPECT_FALSE(rules::classDebugAttributeQualifies(true, -1));
    EXPECT_FALSE(rules::classDebugAttributeQualifies(false, 0));
}

TEST(DeviceRules, BusKinds) {
    for (int32_t kind : {12582, 12583, 13612, 14706}) {
        EXPECT_TRUE(rules::busKindHasAttributesABC(kind));
        EXPECT_FALSE(rules::busKindHasAttributeD(kind));
        EXPECT_EQ(1u, rules::busNumberOf(kind));
    }
    EXPECT_FALSE(rules::busKindHasAttributesABC(12586));
    EXPECT_TRUE(rules::busKindHasAttributeD(12586));
    EXPECT_EQ(2u, rules::busNumberOf(12586));
    EXPECT_EQ(1u, rules::busNumberOf(0));
}
