#pragma once
// Desired-value reads through the driver library, which is loaded and released around every
// single read so that nothing is kept between calls.
#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"

namespace impexp {

class GetDesiredAttributeHelper : public GetAttributeHelperInterface {
public:
    void getAttributeViBoolean(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                               ViBoolean* value) override;
    void getAttributeViSession(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                               ViSession* value) override;
    void getAttributeViAddr(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                            ViAddr* value) override;
    void getAttributeViString(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                              std::string& value) override;
    void getAttributeViReal64(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                              ViReal64* value) override;
    void getAttributeViInt64(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                             ViInt64* value) override;
    void getAttributeViInt32(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id,
                             ViInt32* value) override;
};

}  // namespace impexp
