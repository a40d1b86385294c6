#include "helvar/graphixv/RuntimeModule.h"

#include <atomic>

namespace graphixv {
namespace {

// Hosts may set the values from any thread at any time; resolutions read them without a lock.
class RuntimeModuleState : public RuntimeModuleStateInterface {
public:
    void setModule(void* module) override { module_.store(module); }
    void* module() const override { return module_.load(); }
    void setTlsIndex(uint32_t index) override { tlsIndex_.store(index); }
    uint32_t tlsIndex() const override { return tlsIndex_.load(); }

private:
    std::atomic<void*> module_{nullptr};
    std::atomic<uint32_t> tlsIndex_{kNoTlsIndex};
};

}  // namespace

RuntimeModuleStateInterface& runtimeModuleState() {
    static RuntimeModuleState state;
    return state;
}

}  // namespace graphixv
