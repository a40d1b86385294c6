// Finding the installation a module lies in, and its folders, from the module's path alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/platform/Installation.h"

namespace platform {
namespace {

const std::set<std::string>& existingFolders() {
    static const std::set<std::string> folders = {"/opt/orv/lib/x86_64-linux-gnu", "/usr/lib/x86_64-linux-gnu",
                                                  "C:\\Orvane/lib/x86_64-linux-gnu"};
    return folders;
}
bool exists(const std::string& path) { return existingFolders().count(path) != 0; }

TEST(Installation, PrefixFromTheFolderOfALibraryOrProgram) {
    const InstallationLayout layout{"bin", "lib/x86_64-linux-gnu"};
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/orv/lib/x86_64-linux-gnu/libHelvar.so.4.5.5", "/opt/orv"},
        {"/opt/orv/bin/helvar", "/opt/orv"},
        {"/usr/lib/x86_64-linux-gnu/libQuorrel.so.18", "/usr"},
        {"/usr/bin/sysvista-host", "/usr"},
        {"/lib/x86_64-linux-gnu/libHelvar.so.4", "/"},
        {"C:\\Orvane\\bin\\helvar.exe", "C:\\Orvane"},
        // a program folder without the installation's library folder beside it: a build tree
        {"/work/build/out/bin/helvar", ""},
        {"/work/build/out/lib/libHelvar.so", ""},
        {"/opt/orv/lib/libHelvar.so", ""},
        {"/opt/orvlib/x86_64-linux-gnu/libHelvar.so", ""},  // names compare whole
        {"/opt/orv/sbin/helvar", ""},
        {"libHelvar.so", ""},
        {"", ""},
    };
    for (const auto& [module, prefix] : cases) EXPECT_EQ(installationPrefix(module, layout, &exists), prefix) << module;
}

TEST(Installation, SystemPrefixesKeepConfigurationAndStateInTheSystemFolders) {
    const InstallationLayout layout{"bin", "lib/x86_64-linux-gnu"};
    struct Case {
        const char* prefix;
        const char* config;
        const char* state;
        const char* libraries;
    };
    const Case cases[] = {
        {"/usr", "/etc", "/var", "/usr/lib/x86_64-linux-gnu"},
        {"/", "/etc", "/var", "/lib/x86_64-linux-gnu"},
        {"/opt/orv", "/opt/orv/etc", "/opt/orv/var", "/opt/orv/lib/x86_64-linux-gnu"},
        {"/usr/local", "/usr/local/etc", "/usr/local/var", "/usr/local/lib/x86_64-linux-gnu"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(installationConfigFolder(c.prefix), c.config) << c.prefix;
        EXPECT_EQ(installationStateFolder(c.prefix), c.state) << c.prefix;
        EXPECT_EQ(installationLibraryFolder(c.prefix, layout), c.libraries) << c.prefix;
    }
}

}  // namespace
}  // namespace platform
