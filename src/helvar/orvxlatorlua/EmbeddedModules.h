#pragma once
// The modules compiled into the library and offered to every Lua state through
// package.preload, in their fixed order.
#include <cstddef>

namespace orvxlatorlua {

struct EmbeddedModule {
    const char* fileName;      // "mxlator.lua"; the module name is the part before the extension
    const char* source;        // script bytecode (or text), or null for a term table
    std::size_t size;
    const char* termLanguage;  // term tables: "eng", "jpn", ...
};

const EmbeddedModule* embeddedModules();
std::size_t embeddedModuleCount();

}  // namespace orvxlatorlua
