#pragma once
// The translators that live inside this library, found by name before the external manager.
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

// The process's registrations in lookup order: "mxlator_Digiscan", "orvxlator_default".
LocalXlatorRegistrations localXlatorRegistrations();

inline constexpr const char* kDefaultXlatorName = "orvxlator_default";

}  // namespace orvxlator
