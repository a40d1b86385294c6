#pragma once
// An engine wrapper on which every call succeeds and does nothing; a test derives from it and
// overrides the calls it watches.
#include "helvar/miivi/IviWrapperInterface.h"

namespace testing_support {

class NullIviWrapper : public miivi::IviWrapperInterface {
public:
    ViSession getSession() const override { return 0; }
    ViStatus Ivi_SetErrorInfo(ViBoolean, ViStatus, ViStatus, ViConstString, bool) override { return 0; }
    ViBoolean Ivi_SessionIsAvailable() override { return 0; }
    ViStatus Ivi_LockSession(ViBoolean*, bool) override { return 0; }
    ViStatus Ivi_UnlockSession(ViBoolean*, bool) override { return 0; }
    ViStatus Ivi_ValidateAttrForRepCapName(ViConstString, ViAttr, bool) override { return 0; }
    ViStatus Ivi_GetNthRepCapName(ViConstString, ViInt32, ViConstString*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeRepCapName(ViAttr, ViConstString*, bool) override { return 0; }
    ViBoolean Ivi_AttributeIsAvailable(ViAttr) override { return 0; }
    ViStatus Ivi_DeleteAttribute(ViAttr, bool) override { return 0; }
    ViStatus Ivi_AddAttributeViAddr(ViAttr, ViConstString, ViAddr, IviAttrFlags, ReadAttrViAddr_CallbackPtr,
                                    WriteAttrViAddr_CallbackPtr, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViInt32(ViConstString, ViAttr, ViInt32, ViInt32, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViInt64(ViConstString, ViAttr, ViInt32, ViInt64, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViReal64(ViConstString, ViAttr, ViInt32, ViReal64, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViString(ViConstString, ViAttr, ViInt32, ViConstString, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViBoolean(ViConstString, ViAttr, ViInt32, ViBoolean, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViSession(ViConstString, ViAttr, ViInt32, ViSession, bool) override { return 0; }
    ViStatus Ivi_SetAttributeViAddr(ViConstString, ViAttr, ViInt32, ViAddr, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViInt32(ViConstString, ViAttr, ViInt32, ViInt32*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViInt64(ViConstString, ViAttr, ViInt32, ViInt64*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViReal64(ViConstString, ViAttr, ViInt32, ViReal64*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViString(ViConstString, ViAttr, ViInt32, ViInt32, ViChar[], bool) override { return 0; }
    ViStatus Ivi_GetAttributeViBoolean(ViConstString, ViAttr, ViInt32, ViBoolean*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViSession(ViConstString, ViAttr, ViInt32, ViSession*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeViAddr(ViConstString, ViAttr, ViInt32, ViAddr*, bool) override { return 0; }
    ViStatus Ivi_GetNumAttributes(ViInt32*, bool) override { return 0; }
    ViStatus Ivi_GetNthAttribute(ViInt32, ViAttr*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeFlags(ViAttr, IviAttrFlags*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeType(ViAttr, ViInt32*, bool) override { return 0; }
    ViStatus Ivi_GetAttributeName(ViAttr, ViInt32, ViChar[], bool) override { return 0; }
    ViBoolean Ivi_AttributeWasSetByUser(ViConstString, ViAttr) override { return 0; }
    ViStatus Ivi_GetErrorInfo(ViStatus*, ViStatus*, ViChar[256], bool) override { return 0; }
    ViStatus Ivi_ClearErrorInfo(bool) override { return 0; }
    ViStatus Ivi_GetErrorMessage(ViStatus, ViChar[256], bool) override { return 0; }
    ViStatus Ivi_ParamPositionError(ViInt32, bool) override { return 0; }
};

}  // namespace testing_support
