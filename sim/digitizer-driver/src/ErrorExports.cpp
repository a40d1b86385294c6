// The driver's error functions over the engine's pending error record.
#include <cstring>
#include <string>
#include <vector>

#include "Digiscan.h"
#include "DigiscanStatusCodes.h"
#include "DriverExport.h"
#include "SimIvi.h"

namespace digiscan {
namespace {

// The driver's text for a code of its range, else the engine's.
std::string meaning(ViStatus code) {
    for (const StatusMeaning& entry : kStatusMeanings)
        if (entry.code == code) return entry.text;
    const ViStatus needed = SimIvi_GetErrorMessage(code, 0, nullptr);
    std::vector<ViChar> text(static_cast<std::size_t>(needed > 0 ? needed : 1), '\0');
    SimIvi_GetErrorMessage(code, static_cast<ViInt32>(text.size()), text.data());
    return text.data();
}

// The pending error of vi, its whole elaboration included.
ViStatus pendingError(ViSession vi, ViStatus& primary, std::string& elaboration) {
    ViStatus secondary = 0;
    ViStatus status = SimIvi_GetPendingError(vi, &primary, &secondary, 0, nullptr);
    if (status < 0) return status;
    std::vector<ViChar> text(static_cast<std::size_t>(status > 0 ? status : 1), '\0');
    status = SimIvi_GetPendingError(vi, &primary, &secondary, static_cast<ViInt32>(text.size()), text.data());
    if (status < 0) return status;
    elaboration = text.data();
    return VI_SUCCESS;
}

}  // namespace
}  // namespace digiscan

using namespace digiscan;

DIGISCAN_EXPORT ViStatus Digiscan_GetError(ViSession vi, ViStatus* code, ViInt32 bufferSize, ViChar description[]) {
    if (bufferSize < 0) return IVI_ERROR_INVALID_VALUE;
    if (!code || (bufferSize > 0 && !description)) return IVI_ERROR_NULL_POINTER;
    ViStatus primary = 0;
    std::string elaboration;
    const ViStatus status = pendingError(vi, primary, elaboration);
    if (status < 0) return status;
    std::string text = meaning(primary);
    if (!elaboration.empty()) text += "\n\n" + elaboration;
    const std::size_t needed = text.size() + 1;
    if (bufferSize == 0) {
        *code = primary;
        return static_cast<ViStatus>(needed);
    }
    if (static_cast<std::size_t>(bufferSize) < needed) return DIGISCAN_ERROR_BUFFER_TOO_SMALL;
    std::memcpy(description, text.c_str(), needed);
    *code = primary;
    return SimIvi_ClearPendingError(vi);
}

DIGISCAN_EXPORT ViStatus Digiscan_ClearError(ViSession vi) { return SimIvi_ClearPendingError(vi); }
