#pragma once
// How the exports hand a failure to the IVI engine: called inside a catch handler, it fills
// status from the exception in flight, describes it in the language given and records code and
// description as the pending error of the wrapper's handle.
#include <cstddef>
#include <cstdint>

#include "common/orverr/Status.h"
#include "helvar/miivi/IviWrapperInterface.h"
#include "helvar/miivi/MxlWrapperInterface.h"

namespace miivi {

// What the exports ask the translator for.
inline constexpr uint32_t kReportTranslateFlags = kTranslateDynamic | kTranslateNested | kTranslateLocalCodePage;
inline constexpr const char* kNoDescriptionText = "Could not retrieve error description.";
// The engine keeps descriptions shorter than this; a longer one is marked as cut with "...".
inline constexpr std::size_t kDescriptionLimit = 1023;

void reportToSession(orverr::Status& status, IviWrapperInterface& wrapper, MxlWrapperInterface& translator,
                     uint32_t language);

// Records a failure that is no std::exception (nothing can describe it).
void reportUnknownFailure(orverr::Status& status, IviWrapperInterface& wrapper);

}  // namespace miivi
