#pragma once
// The language of error descriptions: the one kept in a session's object, or the process-wide
// default (set once while the library loads) for a handle without one.
#include <cstdint>
#include <mutex>

#include "helvar/miivi/IviWrapperInterface.h"

namespace miivi {

class LanguageAccessorInterface {
public:
    virtual ~LanguageAccessorInterface() = default;
    virtual uint32_t getLanguage(IviWrapperInterface& wrapper) = 0;
    virtual void setLanguage(int32_t language) = 0;
};

class LanguageAccessor : public LanguageAccessorInterface {
public:
    // Finds session objects under the attribute id and name given.
    LanguageAccessor(ViAttr attributeId, const char* attributeName);
    uint32_t getLanguage(IviWrapperInterface& wrapper) override;
    void setLanguage(int32_t language) override;

private:
    ViAttr attributeId_;
    const char* attributeName_;
    std::mutex mutex_;
    int32_t defaultLanguage_ = 0;
};

// The process's accessor, for the session objects of this library.
LanguageAccessorInterface& languageAccessor();

}  // namespace miivi
