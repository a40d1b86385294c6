#pragma once
// A digitizer session opened through whatever driver and engine the library path provides, as an
// application would open it before handing it to Helvar.
#include <cstdint>
#include <memory>
#include <string>

#include "IviTypes.h"

namespace helvartool {

struct PendingError {
    ViStatus primary = 0;
    ViStatus secondary = 0;
    std::string elaboration;
};

class DriverLibraries;

class DriverSession {
public:
    // Throws std::runtime_error when the driver or the engine cannot be loaded or the session not opened.
    DriverSession(const std::string& resource, const std::string& optionString);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    ViSession handle() const { return vi_; }

    // Sets "ATTRIBUTE=VALUE" or "CHANNEL/ATTRIBUTE=VALUE" as the user does, the attribute by id
    // or by the session's name for it; the type comes from the engine.
    ViStatus set(const std::string& assignment, std::string& problem);
    // The session's name for an attribute id ("" when it has none).
    std::string attributeName(ViAttr id) const;

    // Fetches and clears the pending error of a handle (0: the process-wide one).
    static PendingError takePendingError(ViSession vi);
    // The same through the driver's Digiscan_GetError, as a user's program gets it: the code and
    // its meaning followed by the whole recorded description.
    static PendingError takeDriverError(ViSession vi);
    // The language of a handle's descriptions (0 for the null handle).
    static int32_t language(ViSession vi);
    // The engine's text for a code ("" when it has none).
    static std::string engineMessage(ViStatus code);

private:
    // The id of "ID" or "NAME"; false with the problem when the session has none.
    bool attributeOf(const std::string& target, ViAttr& id, std::string& problem) const;

    ViSession vi_ = 0;
};

}  // namespace helvartool
