#pragma once
// The native translator "orvxlator_default": static descriptions from the explanation files of
// the shared errors folder, with English as the fallback. It has no dynamic descriptions.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"
#include "helvar/orvsysq/PathVariables.h"
#include "helvar/orvxlator/ExplanationFiles.h"
#include "helvar/orvxlator/LocalXlatorRegistration.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace orvxlator {

class NativeDescriber {
public:
    // Both must outlive this object.
    NativeDescriber(const orvsysq::PathVariablesInterface& paths, const ExplanationFiles& files);
    // The description of code in UTF-8; false with the status set when there is none.
    bool describe(int32_t code, uint32_t languageWord, std::string& text, orverr::Status& status) const;
    // The same, but a code that no explanation file knows leaves the text empty and the status
    // untouched: only a failure to read the files is an error.
    void lookup(int32_t code, uint32_t languageWord, std::string& text, orverr::Status& status) const;

private:
    const orvsysq::PathVariablesInterface& paths_;
    const ExplanationFiles& files_;
};

// The describer over the process's paths and explanation files.
const NativeDescriber& nativeDescriber();

// The single static table (its destroy does nothing).
XlatorInterface* nativeXlator();

// The factory of the local registration.
XlatorInterface* createNativeXlator(const char* name, const char* registrationInfo, orverr::Status& status);

// Its record, the last of every list of local registrations.
inline constexpr LocalXlatorRegistration kNativeXlatorRegistration{kDefaultXlatorName, "{}", &createNativeXlator};

}  // namespace orvxlator
