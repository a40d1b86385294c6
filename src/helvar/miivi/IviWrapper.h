#pragma once
// The engine bound to one session handle: forwards through the process's engine binding,
// raises the engine's errors and records its warnings in the session.
#include "helvar/miivi/IviEngineBinding.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace miivi {

class IviWrapper : public IviWrapperInterface {
public:
    explicit IviWrapper(ViSession vi) : vi_(vi) {}

    ViSession getSession() const override { return vi_; }

#define IVI_CALL(result, name, form, use, parameters, arguments) \
    MIIVI_IF_WRAPPED(use, result name MIIVI_WRAPPER_PARAMETERS(use, parameters, bool ignoreErrors = false) override;)
#include "helvar/miivi/IviEngineNames.def"

private:
    static IviEngineBinding& engine() { return IviEngineBinding::instance(); }
    // Negative: raised. Positive: recorded as the session's pending error, then returned.
    ViStatus raiseErrorsRecordWarnings(ViStatus status, bool ignoreErrors);
    // Negative: raised. Positive (a needed buffer size): returned as it is.
    ViStatus raiseErrors(ViStatus status, bool ignoreErrors);

    ViSession vi_;
};

class IviWrapperFactory : public IviWrapperFactoryInterface {
public:
    IviWrapperInterface* create(ViSession vi) override { return new IviWrapper(vi); }
};

}  // namespace miivi
