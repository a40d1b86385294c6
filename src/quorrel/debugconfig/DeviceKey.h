#pragma once
// The key of a device's entry in the debug configuration: the bag's ID string.
#include <string>

#include "quorrel/sysapicpp/PropertyBagHandle.h"

namespace nORVMISysAPICommon100 {

// Also requires the bag's name property, so that only complete device bags have a key.
std::string deviceKeyOf(const sysapicpp::PropertyBagHandle& bag);

}  // namespace nORVMISysAPICommon100
