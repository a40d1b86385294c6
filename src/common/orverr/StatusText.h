#pragma once
// A status exception in one line of words, for texts people read (tools, traces, the host's
// error information): "symbol (number): comment; Usage: value; system reason", paths in the
// system's own form.
#include <string>

#include "common/orverr/Exception.h"

namespace orverr {

std::string describe(const ExceptionBase& error);

}  // namespace orverr
