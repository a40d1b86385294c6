#include "quorrel/expertbase/DeviceRules.h"

namespace nORVMISysAPICommon100 {

bool classDescriptionQualifies(const std::wstring& description) {
    return description.find(L"HSDR") != std::wstring::npos;
}

bool classDebugAttributeQualifies(bool value, int32_t readStatus) { return value && readStatus >= 0; }

bool busKindHasAttributesABC(int32_t busKind) {
    return busKind == 12582 || busKind == 12583 || busKind == 13612 || busKind == 14706;
}

bool busKindHasAttributeD(int32_t busKind) { return busKind == storage::kBusKindWithAttributeD; }

uint32_t busNumberOf(int32_t busKind) { return busKindHasAttributeD(busKind) ? 2u : 1u; }

}  // namespace nORVMISysAPICommon100
