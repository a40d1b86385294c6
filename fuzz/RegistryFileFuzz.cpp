// The registry file is plain text that an administrator edits: any text must parse in time and
// memory linear in its size, and lookups must stay within the registry's limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/platform/posix/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto file = platform::posix::RegistryFile::parse(text);
    for (const char* key : {"SOFTWARE", "SOFTWARE\\Orvane", "SOFTWARE\\Orvane\\Common\\Installer", "",
                            "SOFTWARE\\WOW6432Node\\Orvane"}) {
        if (file.hasKey(key)) (void)file.value(key, "ORVSHAREDDIR64");
        (void)platform::posix::registry32Path(key);
    }
    return 0;
}
