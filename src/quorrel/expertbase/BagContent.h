#pragma once
// The fixed part of every device bag: placeholders the host expects and constant properties.
#include <cstdint>

#include "quorrel/sysapicpp/PropertyBagHandle.h"

namespace nORVMISysAPICommon100 {

void writePlaceholderProperties(const sysapicpp::PropertyBagHandle& bag);
void writeConstantProperties(const sysapicpp::PropertyBagHandle& bag);

}  // namespace nORVMISysAPICommon100
