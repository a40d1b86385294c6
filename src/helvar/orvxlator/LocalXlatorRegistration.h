#pragma once
// The translators that live inside this library, found by name before the external manager. The
// framework knows only its own (the native default); the list a session searches is given to it.
#include <cstddef>

#include "common/orverr/Status.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace orvxlator {

// (name, registrationInfo, status) -> table, or null with the status set.
using XlatorFactory = XlatorInterface* (*)(const char* name, const char* registrationInfo, orverr::Status& status);

struct LocalXlatorRegistration {
    const char* name;
    const char* registrationInfo;
    XlatorFactory factory;
};

struct LocalXlatorRegistrations {
    const LocalXlatorRegistration* begin;
    std::size_t count;
};

inline constexpr const char* kDefaultXlatorName = "orvxlator_default";

// The framework's own registrations: the native translator under kDefaultXlatorName.
LocalXlatorRegistrations frameworkXlatorRegistrations();

}  // namespace orvxlator
