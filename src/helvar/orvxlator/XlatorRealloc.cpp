#include <cstdlib>

#include "helvar/orvxlator/DebugMembers.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace orvxlator {

void* xlatorRealloc(void* pointer, std::size_t size, void* /*context*/, orverr::Status* status) {
    // Freeing always frees: a translator cleaning up after an error must not leak.
    if (size == 0) {
        std::free(pointer);
        return nullptr;
    }
    if (status && status->isError()) return nullptr;
    void* result = std::realloc(pointer, size);
    if (!result && status)
        addObject(ORVERR_RAISE_INTO(*status, orverr::codes::kMemoryFull), kDebugObject, {{"debug", "realloc failed"}});
    return result;
}

}  // namespace orvxlator
