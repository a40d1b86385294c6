#include "helvar/graphixv/DefaultLanguage.h"

#include <cstring>

#include "helvar/graphixv/RuntimeFunction.h"

namespace graphixv {
namespace {

using GetLangStrFunction = void (*)(unsigned char* buffer);
using PStrCmpFunction = int32_t (*)(const unsigned char* a, const unsigned char* b);

constexpr std::size_t kLanguageBufferSize = 264;
// Length-prefixed names, in the order compared; the position + 1 is the language.
constexpr const char* kLanguageNames[] = {"French", "German", "Japanese", "Korean", "ChineseS"};

RuntimeFunction& getLangStr() {
    static RuntimeFunction function("GetLangStr");
    return function;
}

RuntimeFunction& pStrCmp() {
    static RuntimeFunction function("PStrCmp");
    return function;
}

}  // namespace

int32_t detectDefaultLanguage(const RuntimeModuleStateInterface& state, const platform::RuntimeModulesInterface& modules) {
    if (!findRuntimeModule(state, modules)) return 0;
    auto* get = reinterpret_cast<GetLangStrFunction>(getLangStr().tryResolve(state, modules));
    auto* compare = reinterpret_cast<PStrCmpFunction>(pStrCmp().tryResolve(state, modules));
    if (!get || !compare) return 0;
    unsigned char current[kLanguageBufferSize] = {0};
    get(current);
    for (int32_t i = 0; i < 5; ++i) {
        unsigned char name[16] = {0};
        const std::size_t length = std::strlen(kLanguageNames[i]);
        name[0] = static_cast<unsigned char>(length);
        std::memcpy(name + 1, kLanguageNames[i], length);
        if (compare(current, name) == 0) return i + 1;
    }
    return 0;
}

int32_t detectDefaultLanguage() { return detectDefaultLanguage(runtimeModuleState(), platform::runtimeModules()); }

}  // namespace graphixv
