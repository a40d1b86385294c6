#pragma once
// Creates the expert object the host receives from the plug-in's factory export.
#include "explorer/Com.h"

namespace nQuorrel100 {

// A new expert (reference count 1) as its primary interface; never throws.
HRESULT createExpertObject(void** expert) noexcept;

}  // namespace nQuorrel100
