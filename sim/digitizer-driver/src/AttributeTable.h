#pragma once
// The digitizer's attributes: what a driver session holds and how each value is coerced.
#include <cstddef>

#include "Coercion.h"

namespace digiscan {

struct AttributeDefinition {
    ViAttr id;
    const char* name;
    bool perChannel;
    IviAttrFlags flags;
    SimIvi_Value defaultValue;
    Coercer coerce;  // null: stored as requested
};

const AttributeDefinition* attributeTable(size_t& count);

}  // namespace digiscan
