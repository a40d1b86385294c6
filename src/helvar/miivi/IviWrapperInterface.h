#pragma once
// The object through which everything in the library calls the IVI engine for one session.
//
// Each operation is named after the engine function it wraps and takes that function's
// parameters without the leading session handle (the wrapper passes its own). Three kinds, as the
// engine table (IviEngineNames.def) gives them, in its order:
//  - raising (RAISING, most): a negative status is raised as orverr::Exception (constant "error"); a
//    positive one (a warning) is recorded as the session's pending error and returned. With
//    ignoreErrors the engine's status is returned untouched.
//  - raising, positive passes (SIZING: Ivi_GetAttributeViString, Ivi_GetAttributeName): a positive
//    result is a needed buffer size and is returned without being recorded.
//  - plain (QUERY, AVAILABILITY: the availability and set-by-user queries): no ignoreErrors; the value is returned.
// Ivi_GetNthAttribute's index is 1-based.
#include "IviTypes.h"
#include "helvar/miivi/IviEngineSignatures.h"

namespace miivi {

class IviWrapperInterface {
public:
    virtual ~IviWrapperInterface() = default;
    virtual ViSession getSession() const = 0;

#define IVI_CALL(result, name, form, use, parameters, arguments) \
    MIIVI_IF_WRAPPED(use, virtual result name MIIVI_WRAPPER_PARAMETERS(use, parameters, bool ignoreErrors = false) = 0;)
#include "helvar/miivi/IviEngineNames.def"
};

// Makes the wrapper of one session handle; the caller owns it.
class IviWrapperFactoryInterface {
public:
    virtual ~IviWrapperFactoryInterface() = default;
    virtual IviWrapperInterface* create(ViSession vi) = 0;
};

}  // namespace miivi
