#pragma once
// Which storage devices the expert shows and which of their attributes exist, as pure decisions
// over what the storage reported, so that the rules read the same wherever they are applied.
#include <cstdint>
#include <string>

namespace nORVMISysAPICommon100 {

// Storage classes and attributes the expert reads.
namespace storage {
inline constexpr uint32_t kDigitizerClass = 14798;
inline constexpr uint32_t kClassDescription = 10817;  // class string; supported classes say "HSDR"
inline constexpr uint32_t kClassSupportsDebug = 12426;  // class boolean
inline constexpr uint32_t kDeviceName = 9553;
inline constexpr uint32_t kDeviceSerial = 1585;
inline constexpr uint32_t kBusKind = 8998;
inline constexpr uint32_t kBusAttributeA = 8999;
inline constexpr uint32_t kBusAttributeB = 9000;
inline constexpr uint32_t kBusAttributeC = 12116;
inline constexpr uint32_t kBusAttributeD = 12117;
inline constexpr int32_t kBusKindWithAttributeD = 12586;
}  // namespace storage

// A class qualifies by its description text (case-sensitive "HSDR" anywhere).
bool classDescriptionQualifies(const std::wstring& description);

// A class's debug attribute counts only when it was read without error.
bool classDebugAttributeQualifies(bool value, int32_t readStatus);

// Bus kinds whose devices carry attributes A, B and C.
bool busKindHasAttributesABC(int32_t busKind);
bool busKindHasAttributeD(int32_t busKind);

// The bus number the host shows: 2 for the kind with attribute D, else 1.
uint32_t busNumberOf(int32_t busKind);

}  // namespace nORVMISysAPICommon100
