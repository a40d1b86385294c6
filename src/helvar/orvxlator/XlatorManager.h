#pragma once
// The binding of the external translator manager library, which supplies every translator that
// does not live in this library. Loaded at the first request; a failed load is remembered, so
// later requests fail the same way without trying again.
#include <cstdint>
#include <memory>

#include "common/orverr/Status.h"
#include "common/platform/DynamicLibrary.h"
#include "helvar/orvsysq/SystemQuery.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace orvxlator {

// The manager's entry points, as the library exports them.
extern "C" {
using ManagerCreateSessionFunction = void* (*)(orverr::Status* status);
using ManagerDestroySessionFunction = void (*)(void* session);
using ManagerCreateXlatorFunction = XlatorInterface* (*)(void* session, const char* name, orverr::Status* status,
                                                         void* reserved);
using ManagerDestroyXlatorFunction = void (*)(void* session, XlatorInterface* xlator);
}

class XlatorManager {
public:
    // Both must outlive this object.
    XlatorManager(const orvsysq::SystemQueryInterface& system, platform::DynamicLibraryInterface& libraries);
    ~XlatorManager();
    XlatorManager(const XlatorManager&) = delete;
    XlatorManager& operator=(const XlatorManager&) = delete;

    // Null with the status set when the manager is missing or refuses the name.
    XlatorInterface* createXlator(const char* name, orverr::Status& status);
    void destroyXlator(XlatorInterface* xlator);

    static constexpr const char* kLibraryName = "orvxlator.dll";

private:
    void load();
    void unload();

    const orvsysq::SystemQueryInterface& system_;
    platform::DynamicLibraryInterface& libraries_;
    platform::LibraryHandle library_ = nullptr;
    bool loadTried_ = false;
    orverr::Status loadStatus_;
    ManagerCreateSessionFunction createSession_ = nullptr;
    ManagerDestroySessionFunction destroySession_ = nullptr;
    ManagerCreateXlatorFunction createXlator_ = nullptr;
    ManagerDestroyXlatorFunction destroyXlator_ = nullptr;
    void* session_ = nullptr;
};

// A manager over the process's registry, folders and loader.
std::unique_ptr<XlatorManager> makeXlatorManager();

}  // namespace orvxlator
