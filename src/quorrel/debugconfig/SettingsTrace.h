#pragma once
// One line about the debug settings file in the trace ("debug settings: ...").
#include <string>

namespace nORVMISysAPICommon100 {

void traceDebugSettings(const std::string& text, const char* file, int line) noexcept;

}  // namespace nORVMISysAPICommon100
