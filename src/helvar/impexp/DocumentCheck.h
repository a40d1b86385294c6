#pragma once
// A document checked as an import checks it, for readers that have no session (the tools that
// compare and show documents).
#include <cstdint>

namespace impexp {

// Raises what an import would raise for the document alone: not well-formed, schema, channel list,
// version string, entry form, and last the format version (errors::libraryOutOfDate for a
// document of a newer library that is otherwise readable). The model number and the values'
// types belong to a session and are not checked. size and text as for importBuffer.
void checkDocumentWithoutSession(uint32_t size, const char* text);

}  // namespace impexp
