#pragma once
// The digitizer expert: the shared machinery with this expert's identity.
#include "quorrel/expertbase/MISysAPIExpertBase.h"

namespace nQuorrel100 {

// {9590178C-5CD8-4A66-A2FB-93C2B9731542}
inline constexpr GUID kExpertId = {0x9590178C, 0x5CD8, 0x4A66, {0xA2, 0xFB, 0x93, 0xC2, 0xB9, 0x73, 0x15, 0x42}};
inline constexpr const char* kExpertName = "Digiscan SFP Debug";
inline constexpr const char* kExpertVersion = "18.1";

class DigiscanSysAPIExpert final : public nORVMISysAPICommon100::MISysAPIExpertBase {
public:
    using MISysAPIExpertBase::MISysAPIExpertBase;

    void getID(GUID& out) override { out = kExpertId; }
    void getName(std::string& out) override { out = kExpertName; }
    void getVersion(std::string& out) override { out = kExpertVersion; }
    void getComponentName(std::string& out) override { out = ORVERR_COMPONENT; }
    void refresh() override {}
};

}  // namespace nQuorrel100
