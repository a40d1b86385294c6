#pragma once
// The session's own options among its attributes: range check, query instrument status, cache,
// simulate, record coercions, driver setup and interchange check. They are not instrument settings,
// so export never writes them and import refuses them: a document could otherwise switch range
// checking off for the entries after it, or simulation off.
#include <algorithm>
#include <array>

#include "IviTypes.h"

namespace impexp {

inline constexpr std::array<ViAttr, 7> kInherentOptions = {1050002, 1050003, 1050004, 1050005,
                                                           1050006, 1050007, 1050021};

inline bool isInherentOption(ViAttr id) {
    return std::find(kInherentOptions.begin(), kInherentOptions.end(), id) != kInherentOptions.end();
}

}  // namespace impexp
