#pragma once
// What a host of the graphical run-time tells the link stub: which module is the run-time, or in
// which thread-local slot each thread finds it. Kept for the stub's function resolution.
#include <cstdint>

namespace graphixv {

inline constexpr uint32_t kNoTlsIndex = 0xFFFFFFFFu;

class RuntimeModuleStateInterface {
public:
    virtual ~RuntimeModuleStateInterface() = default;
    virtual void setModule(void* module) = 0;
    virtual void* module() const = 0;
    virtual void setTlsIndex(uint32_t index) = 0;
    virtual uint32_t tlsIndex() const = 0;
};

// The process-wide state: no module and no index at load.
RuntimeModuleStateInterface& runtimeModuleState();

}  // namespace graphixv
