// A process whose engine first lacks a required function and is then completed: the first calls
// fail with the missing-function status, and a later call loads the complete library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Helvar.h"
#include "common/platform/DynamicLibrary.h"
#include "support/Portable.h"

namespace {

namespace fs = std::filesystem;

// Replaces the engine in the searched folder by a new file (a new inode, as an installer would).
void installEngine(const fs::path& from, const fs::path& folder) {
    const std::string engine = testsupport::libraryFile("ivi");
    const fs::path temporary = folder / (engine + ".new");
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing);
    fs::rename(temporary, folder / engine);
}

TEST(IncompleteEngine, FailsUntilTheLibraryIsComplete) {
    const char* out = std::getenv("ORV_OUT");
    const char* folder = std::getenv("SPINE_ENGINE_DIR");
    ASSERT_TRUE(out && folder);
    installEngine(fs::path(out) / "variants/missing-required" / testsupport::libraryFile("ivi"), folder);

    EXPECT_EQ(Helvar_Initialize(1), HELVAR_ERROR_ENGINE_INCOMPLETE);
    EXPECT_EQ(Helvar_SaveAttributes(1), HELVAR_ERROR_ENGINE_INCOMPLETE);
    // The incomplete library was unloaded again.
    EXPECT_EQ(platform::dynamicLibrary().findLoaded("ivi.dll"), nullptr);

    installEngine(fs::path(testsupport::libraryFolder(out)) / testsupport::libraryFile("ivi"), folder);
    const ViStatus status = Helvar_Initialize(0);
    EXPECT_NE(status, HELVAR_ERROR_ENGINE_INCOMPLETE);
    EXPECT_NE(status, HELVAR_ERROR_ENGINE_NOT_LOADED);
    EXPECT_LT(status, 0);  // the engine itself refuses handle 0
    platform::LibraryHandle engine = platform::dynamicLibrary().findLoaded("ivi.dll");
    ASSERT_NE(engine, nullptr);
    platform::OsError error;
    EXPECT_NE(platform::dynamicLibrary().symbol(engine, "Ivi_ValidateAttribute", error), nullptr);
    platform::dynamicLibrary().unload(engine);
    EXPECT_EQ(Helvar_Close(0), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
}

}  // namespace
