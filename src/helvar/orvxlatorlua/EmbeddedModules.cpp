#include "helvar/orvxlatorlua/EmbeddedModules.h"

#include "helvar/orvxlatorlua/GeneratedJson.h"
#include "helvar/orvxlatorlua/GeneratedMxlator.h"
#include "helvar/orvxlatorlua/GeneratedOrvmxlDefaultAttrTable.h"
#include "helvar/orvxlatorlua/GeneratedOrvmxlUtilities.h"
#include "helvar/orvxlatorlua/GeneratedOrvxlatorlua.h"
#include "helvar/orvxlatorlua/GeneratedUtil.h"

namespace orvxlatorlua {
namespace {

// Scripts are embedded as bytecode made at build time.
template <std::size_t N>
EmbeddedModule script(const char* fileName, const unsigned char (&bytecode)[N]) {
    return EmbeddedModule{fileName, reinterpret_cast<const char*>(bytecode), N, nullptr};
}

EmbeddedModule terms(const char* fileName, const char* language) {
    return EmbeddedModule{fileName, nullptr, 0, language};
}

const EmbeddedModule kModules[] = {
    script("json.lua", orvgenerated::kJsonLua),
    script("util.lua", orvgenerated::kUtilLua),
    terms("commonTerms_eng.lua", "eng"),
    terms("commonTerms_jpn.lua", "jpn"),
    terms("commonTerms_fra.lua", "fra"),
    terms("commonTerms_deu.lua", "deu"),
    terms("commonTerms_kor.lua", "kor"),
    terms("commonTerms_chs.lua", "chs"),
    script("orvmxl_defaultAttrTable.lua", orvgenerated::kOrvmxlDefaultAttrTableLua),
    script("mxlator.lua", orvgenerated::kMxlatorLua),
    script("orvmxl_utilities.lua", orvgenerated::kOrvmxlUtilitiesLua),
    script("orvxlatorlua.lua", orvgenerated::kOrvxlatorluaLua),
};

}  // namespace

const EmbeddedModule* embeddedModules() { return kModules; }
std::size_t embeddedModuleCount() { return sizeof(kModules) / sizeof(kModules[0]); }

}  // namespace orvxlatorlua
