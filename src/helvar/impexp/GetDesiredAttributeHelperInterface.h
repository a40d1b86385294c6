#pragma once
// Reads the value a user requested for an attribute (the desired value, which may differ from
// the value the instrument coerced it to) through the driver library's own entry points.
// Errors are raised; warnings are recorded in the session through the wrapper.
#include <string>

#include "IviTypes.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

class GetAttributeHelperInterface {
public:
    virtual ~GetAttributeHelperInterface() = default;
    virtual void getAttributeViBoolean(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                       ViBoolean* value) = 0;
    virtual void getAttributeViSession(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                       ViSession* value) = 0;
    virtual void getAttributeViAddr(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                    ViAddr* value) = 0;
    // The text is replaced.
    virtual void getAttributeViString(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                      std::string& value) = 0;
    virtual void getAttributeViReal64(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                      ViReal64* value) = 0;
    virtual void getAttributeViInt64(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                     ViInt64* value) = 0;
    virtual void getAttributeViInt32(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                                     ViInt32* value) = 0;
};

}  // namespace impexp
