#pragma once
// The default language of error descriptions, taken from the graphical run-time's current
// language when the process holds one: French 1, German 2, Japanese 3, Korean 4, ChineseS 5,
// anything else 0. Never ends the process: a run-time module without GetLangStr or PStrCmp
// gives 0 as well.
#include <cstdint>

#include "common/platform/RuntimeModules.h"
#include "helvar/graphixv/RuntimeModule.h"

namespace graphixv {

int32_t detectDefaultLanguage(const RuntimeModuleStateInterface& state, const platform::RuntimeModulesInterface& modules);

// Over the process's state and modules.
int32_t detectDefaultLanguage();

}  // namespace graphixv
