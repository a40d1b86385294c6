#pragma once
// The import/export engine of one session. Every failure is raised as orverr::Exception.
#include <cstdint>
#include <string>

namespace impexp {

class ImporterExporterInterface {
public:
    virtual ~ImporterExporterInterface() = default;
    // Applies exactly the first size bytes at text as a document.
    virtual void importBuffer(uint32_t size, const char* text) = 0;
    // size 0: writes nothing and returns the needed size (document length + 1). Otherwise copies
    // the document and its NUL and returns 0; a smaller buffer raises errors::bufferTooSmall.
    virtual uint32_t exportBuffer(uint32_t size, char* buffer) = 0;
    // path is UTF-8.
    virtual void importFile(const std::string& path) = 0;
    virtual void exportFile(const std::string& path) = 0;
};

}  // namespace impexp
