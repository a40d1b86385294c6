#include "helvar/orvxlatorlua/EmbeddedModules.h"

#include "helvar/orvxlatorlua/GeneratedJson.h"
#include "helvar/orvxlatorlua/GeneratedMxlator.h"
#include "helvar/orvxlatorlua/GeneratedOrvmxlDefaultAttrTable.h"
#include "helvar/orvxlatorlua/GeneratedOrvmxlUtilities.h"
#include "helvar/orvxlatorlua/GeneratedOrvxlatorlua.h"
#include "helvar/orvxlatorlua/GeneratedUtil.h"

namespace orvxlatorlua {
namespace {

template <std::size_t N>
constexpr EmbeddedModule script(const char* fileName, const char (&source)[N]) {
    return EmbeddedModule{fileName, source, N - 1, nullptr};
}

constexpr EmbeddedModule terms(const char* fileName, const char* language) {
    return EmbeddedModule{fileName, nullptr, 0, language};
}

constexpr EmbeddedModule kModules[] = {
    script("json.lua", orvgenerated::kJsonLua),
    script("util.lua", orvgenerated::kUtilLua),
    terms("commonTerms_eng.lua", "eng"),
    terms("commonTerms_jpn.lua", "jpn"),
    terms("commonTerms_fra.lua", "fra"),
    terms("commonTerms_deu.lua", "deu"),
    script("orvmxl_defaultAttrTable.lua", orvgenerated::kOrvmxlDefaultAttrTableLua),
    script("mxlator.lua", orvgenerated::kMxlatorLua),
    script("orvmxl_utilities.lua", orvgenerated::kOrvmxlUtilitiesLua),
    script("orvxlatorlua.lua", orvgenerated::kOrvxlatorluaLua),
};

}  // namespace

const EmbeddedModule* embeddedModules() { return kModules; }
std::size_t embeddedModuleCount() { return sizeof(kModules) / sizeof(kModules[0]); }

}  // namespace orvxlatorlua
