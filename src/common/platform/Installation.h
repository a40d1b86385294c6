#pragma once
// The installation a module belongs to: the prefix above the program or library folder that holds
// it, so that an installed tree finds its own registry file and libraries from wherever it lies.
#include <string>

namespace platform {

// Where programs and libraries lie below a prefix ("bin", "lib/x86_64-linux-gnu").
struct InstallationLayout {
    std::string programFolder;
    std::string libraryFolder;
};

// The layout this build installs with.
const InstallationLayout& installationLayout();

// The prefix of the installation whose library folder, or program folder beside an existing
// library folder, holds the file modulePath names ("/" for the root); "" when it lies in none (a
// build tree, say).
std::string installationPrefix(const std::string& modulePath, const InstallationLayout& layout,
                               bool (*folderExists)(const std::string& path));

// A folder of an installation given by its prefix: the system prefixes "/" and "/usr" keep
// configuration in /etc and state in /var, any other prefix below itself.
std::string installationConfigFolder(const std::string& prefix);
std::string installationStateFolder(const std::string& prefix);
std::string installationLibraryFolder(const std::string& prefix, const InstallationLayout& layout);

// The prefix of the installation that holds this code's own module (library or program, with its
// links resolved); "" outside an installation.
const std::string& ownInstallationPrefix();

}  // namespace platform
