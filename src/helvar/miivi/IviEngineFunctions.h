#pragma once
// The engine's functions as an index into the binding's entry table, generated from the one
// name table (IviEngineNames.def).
#include <cstddef>
#include <cstdint>

namespace miivi {

enum class EngineFunction : uint32_t {
#define IVI_REQUIRED(name) name,
#define IVI_OPTIONAL(name) name,
#include "helvar/miivi/IviEngineNames.def"
    Count
};

inline constexpr std::size_t kEngineFunctionCount = static_cast<std::size_t>(EngineFunction::Count);

struct EngineFunctionInfo {
    const char* name;
    bool required;
};

// In resolution order: the required ones first, then the optional ones.
inline constexpr EngineFunctionInfo kEngineFunctions[kEngineFunctionCount] = {
#define IVI_REQUIRED(name) {#name, true},
#define IVI_OPTIONAL(name) {#name, false},
#include "helvar/miivi/IviEngineNames.def"
};

inline constexpr std::size_t kRequiredEngineFunctionCount = 0
#define IVI_REQUIRED(name) +1
#include "helvar/miivi/IviEngineNames.def"
    ;

static_assert(kEngineFunctionCount == 238, "the engine has 238 functions");
static_assert(kRequiredEngineFunctionCount == 163, "163 of them are required");

}  // namespace miivi
