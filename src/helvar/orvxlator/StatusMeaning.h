#pragma once
// The meaning of any status code for a caller: the static description of the explanation files.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"

namespace orvxlator {

// The description of code in language (English where that language has none), in UTF-8. A code
// that no explanation file knows gets the description of errors::unknownStatusCode instead (a
// sentence in that language saying so) and the result is false. Failing to read the files sets
// the status.
bool describeStatusCode(int32_t code, uint32_t language, std::string& text, orverr::Status& status);

}  // namespace orvxlator
