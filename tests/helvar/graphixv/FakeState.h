#pragma once
#include "helvar/graphixv/RuntimeModule.h"

namespace testing_graphix {

// What a host would have set through the hook exports.
class FakeState : public graphixv::RuntimeModuleStateInterface {
public:
    void setModule(void* module) override { module_ = module; }
    void* module() const override { return module_; }
    void setTlsIndex(uint32_t index) override { index_ = index; }
    uint32_t tlsIndex() const override { return index_; }

private:
    void* module_ = nullptr;
    uint32_t index_ = graphixv::kNoTlsIndex;
};

}  // namespace testing_graphix
