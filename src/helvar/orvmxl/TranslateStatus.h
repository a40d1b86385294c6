#pragma once
// A status turned into localized text: its static description, its elaborations and its nested
// errors, retried with fewer parts when a part fails, delivered in UTF-8 or the language's code
// page. Failures reach the caller only through out, whose document is appended to the text.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"
#include "helvar/orvmxl/TranslateFlags.h"
#include "helvar/orvxlator/Session.h"

namespace orvmxl {

// Builds and destroys its own translator framework session.
void translateStatus(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                     orverr::Status& out);

// The same over a given session.
void translateStatus(orvxlator::SessionInterface& session, const orverr::Status& in, uint32_t language,
                     uint32_t flags, std::string& text, orverr::Status& out);

}  // namespace orvmxl
