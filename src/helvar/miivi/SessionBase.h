#pragma once
// The root of every per-session object: owns the session's engine wrapper and its language.
// Session objects are registered in an engine attribute of the driver session (see Session.h);
// isRegistered/lookup find them from a bare handle.
#include <cstdint>
#include <memory>

#include "helvar/miivi/IviWrapperInterface.h"

namespace miivi {

class SessionBase {
public:
    SessionBase(const SessionBase&) = delete;
    SessionBase& operator=(const SessionBase&) = delete;
    virtual ~SessionBase();

    int32_t language() const { return language_; }

    // True when the wrapper's handle is non-zero, the engine knows the session and the attribute,
    // and the attribute's registered name is exactly attributeName.
    static bool isRegistered(IviWrapperInterface& wrapper, ViAttr attributeId, const char* attributeName);
    // The object registered in the attribute; raises kSessionNotRegistered when there is none.
    static SessionBase* lookup(IviWrapperInterface& wrapper, ViAttr attributeId, const char* attributeName);

protected:
    SessionBase(std::unique_ptr<IviWrapperInterface> wrapper, int32_t language);
    IviWrapperInterface& wrapper() { return *wrapper_; }

private:
    std::unique_ptr<IviWrapperInterface> wrapper_;
    int32_t language_;
};

}  // namespace miivi
