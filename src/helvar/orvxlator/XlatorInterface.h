#pragma once
// The translator table shared with separately built translator libraries: every field is
// eight bytes, in this order. Texts returned by a translator belong to the caller, who frees
// them with the C heap.
#include <cstddef>
#include <cstdint>

#include "common/orverr/Status.h"

namespace orvxlator {

// (pointer, size, context, status): size 0 frees and returns null; otherwise realloc. Does
// nothing when the status already holds an error.
using XlatorReallocFunction = void* (*)(void* pointer, std::size_t size, void* context, orverr::Status* status);

struct XlatorInterface;

using XlatorDestroyFunction = void (*)(XlatorInterface* xlator);
// Null result: no description; the status says why.
using XlatorStaticDescFunction = char* (*)(XlatorInterface* xlator, int32_t code, uint32_t languageWord,
                                           XlatorReallocFunction allocate, void* context, orverr::Status* status);
using XlatorDynamicDescFunction = char* (*)(XlatorInterface* xlator, const char* document, uint32_t languageWord,
                                            const char* format, XlatorReallocFunction allocate, void* context,
                                            orverr::Status* status);

struct XlatorInterface {
    uint64_t size;  // sizeof(XlatorInterface): 32
    XlatorDestroyFunction destroy;
    XlatorStaticDescFunction getStaticDesc;    // null: not supported
    XlatorDynamicDescFunction getDynamicDesc;  // null: not supported
};
static_assert(sizeof(XlatorInterface) == 32, "the table is shared with other libraries");

// The allocator handed to every translator call.
void* xlatorRealloc(void* pointer, std::size_t size, void* context, orverr::Status* status);

}  // namespace orvxlator
