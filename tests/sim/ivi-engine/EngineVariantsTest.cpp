// The engine and its variants export exactly the names their builds promise, checked against the
// binding's own list.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/platform/DynamicLibrary.h"
#include "support/Portable.h"

namespace {

struct Name {
    const char* name;
    bool required;
};
const Name kNames[] = {
#define IVI_REQUIRED(n) {#n, true},
#define IVI_OPTIONAL(n) {#n, false},
#include "helvar/miivi/IviEngineNames.def"
#undef IVI_REQUIRED
#undef IVI_OPTIONAL
};

// The names of the list that the engine in folder lacks.
std::set<std::string> missingNames(const std::string& folder) {
    platform::OsError error;
    platform::LibraryHandle library = platform::dynamicLibrary().load(folder + "/ivi.dll", error);
    EXPECT_NE(nullptr, library) << folder << ": " << error.message;
    std::set<std::string> missing;
    if (!library) return missing;
    for (const Name& name : kNames)
        if (!platform::dynamicLibrary().symbol(library, name.name, error)) missing.insert(name.name);
    return missing;
}

std::string out() {
    const char* dir = std::getenv("ORV_OUT");
    return dir && *dir ? dir : SIM_BUILD_OUT;
}

}  // namespace

TEST(EngineVariants, CompleteEngineHasEveryName) {
    EXPECT_EQ(238u, sizeof(kNames) / sizeof(kNames[0]));
    EXPECT_EQ(std::set<std::string>(), missingNames(testsupport::libraryFolder(out())));
}

TEST(EngineVariants, MissingRequiredLacksOnlyValidateAttribute) {
    EXPECT_EQ(std::set<std::string>{"Ivi_ValidateAttribute"}, missingNames(out() + "/variants/missing-required"));
}

TEST(EngineVariants, MissingOptionalLacksAvailabilityAndInt64Names) {
    const std::set<std::string> missing = missingNames(out() + "/variants/missing-optional");
    EXPECT_TRUE(missing.count("Ivi_SessionIsAvailable"));
    EXPECT_TRUE(missing.count("Ivi_AttributeIsAvailable"));
    EXPECT_TRUE(missing.count("Ivi_GetAttributeViInt64"));
    EXPECT_TRUE(missing.count("Ivi_SetRangeTableEntryViInt64"));
    for (const Name& name : kNames) {
        if (name.required) {
            EXPECT_FALSE(missing.count(name.name)) << name.name;
        }
    }
}

TEST(EngineVariants, NoOptionalLacksExactlyTheOptionalNames) {
    std::set<std::string> optional;
    for (const Name& name : kNames)
        if (!name.required) optional.insert(name.name);
    EXPECT_EQ(75u, optional.size());
    EXPECT_EQ(optional, missingNames(out() + "/variants/no-optional"));
}
