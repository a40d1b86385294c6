#pragma once
// One translation's translator framework: finds translators by name (cache, local
// registrations, then the external manager), creates each once and destroys them all at its end.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/orverr/Status.h"
#include "helvar/orvxlator/LocalXlatorRegistration.h"
#include "helvar/orvxlator/XlatorInterface.h"
#include "helvar/orvxlator/XlatorManager.h"

namespace orvxlator {

// What the report formatter asks of a session.
class SessionInterface {
public:
    virtual ~SessionInterface() = default;
    // The static description of code by the named translator; false with the status set (or
    // left alone when it already held an error) when there is none.
    virtual bool staticDescription(int32_t code, const std::string& xlatorName, uint32_t languageWord,
                                   std::string& text, orverr::Status& status) = 0;
    // The dynamic description (format "json1") of a status document by its "translator".
    virtual bool dynamicDescription(const char* document, uint32_t languageWord, std::string& text,
                                    orverr::Status& status) = 0;
};

class DestroyXlator {
public:
    virtual ~DestroyXlator() = default;
    virtual void destroy(XlatorInterface* xlator) = 0;
};

class DestroyLocalXlator : public DestroyXlator {
public:
    void destroy(XlatorInterface* xlator) override;
};

class DestroyExportedXlator : public DestroyXlator {
public:
    explicit DestroyExportedXlator(XlatorManager& manager) : manager_(manager) {}
    void destroy(XlatorInterface* xlator) override { manager_.destroyXlator(xlator); }

private:
    XlatorManager& manager_;
};

class Session : public SessionInterface {
public:
    Session(LocalXlatorRegistrations registrations, std::unique_ptr<XlatorManager> manager);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A session over the registrations given and the external manager; null with memory-full on
    // failure.
    static std::unique_ptr<Session> create(LocalXlatorRegistrations registrations, orverr::Status& status);
    // The same over the framework's own registrations.
    static std::unique_ptr<Session> create(orverr::Status& status);

    XlatorInterface* getXlator(const std::string& name, orverr::Status& status);
    bool staticDescription(int32_t code, const std::string& xlatorName, uint32_t languageWord, std::string& text,
                           orverr::Status& status) override;
    bool dynamicDescription(const char* document, uint32_t languageWord, std::string& text,
                            orverr::Status& status) override;

private:
    struct CacheEntry {
        std::string name;
        XlatorInterface* xlator;
        DestroyXlator* deleter;
    };

    bool append(const std::string& name, XlatorInterface* xlator, DestroyXlator& deleter);

    LocalXlatorRegistrations registrations_;
    std::unique_ptr<XlatorManager> manager_;
    DestroyLocalXlator localDeleter_;
    DestroyExportedXlator exportedDeleter_;
    std::vector<CacheEntry> cache_;
};

}  // namespace orvxlator
