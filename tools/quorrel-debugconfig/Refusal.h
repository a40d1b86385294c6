#pragma once
// How quorrel-debugconfig shows a failure of the store, and what exit code it is.
#include <string>

#include "common/orverr/Exception.h"

namespace debugconfigtool {

// "symbol (number): text", the text made of the status's comments, its labelled values (paths in
// the system's own form) and the system's reason, as the other tools show a refusal.
std::string describe(const orverr::ExceptionBase& error);

// kEnvironment when the file cannot be opened, kOutputFailed when it cannot be written, else kRefused.
int exitCodeOf(const orverr::ExceptionBase& error);

}  // namespace debugconfigtool
