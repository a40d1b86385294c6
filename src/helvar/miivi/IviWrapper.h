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

    ViBoolean Ivi_SessionIsAvailable() override;
    ViStatus Ivi_LockSession(ViBoolean* callerHasLock, bool ignoreErrors = false) override;
    ViStatus Ivi_UnlockSession(ViBoolean* callerHasLock, bool ignoreErrors = false) override;
    ViStatus Ivi_ValidateAttrForRepCapName(ViConstString repCapName, ViAttr attributeId, bool ignoreErrors = false) override;
    ViStatus Ivi_GetNthRepCapName(ViConstString repCapName, ViInt32 index, ViConstString* name, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeRepCapName(ViAttr attributeId, ViConstString* repCapName, bool ignoreErrors = false) override;
    ViBoolean Ivi_AttributeIsAvailable(ViAttr attributeId) override;
    ViStatus Ivi_DeleteAttribute(ViAttr attributeId, bool ignoreErrors = false) override;
    ViStatus Ivi_AddAttributeViAddr(ViAttr attributeId, ViConstString name, ViAddr defaultValue, IviAttrFlags flags, ReadAttrViAddr_CallbackPtr readCallback, WriteAttrViAddr_CallbackPtr writeCallback, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32 value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt64 value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViReal64 value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViConstString value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViBoolean value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViSession value, bool ignoreErrors = false) override;
    ViStatus Ivi_SetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViAddr value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt64* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViReal64* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32 bufferSize, ViChar value[], bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViBoolean* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViSession* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViAddr* value, bool ignoreErrors = false) override;
    ViStatus Ivi_GetNumAttributes(ViInt32* count, bool ignoreErrors = false) override;
    ViStatus Ivi_GetNthAttribute(ViInt32 index, ViAttr* attributeId, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeFlags(ViAttr attributeId, IviAttrFlags* flags, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeType(ViAttr attributeId, ViInt32* dataType, bool ignoreErrors = false) override;
    ViStatus Ivi_GetAttributeName(ViAttr attributeId, ViInt32 bufferSize, ViChar name[], bool ignoreErrors = false) override;
    ViBoolean Ivi_AttributeWasSetByUser(ViConstString channel, ViAttr attributeId) override;
    ViStatus Ivi_SetErrorInfo(ViBoolean overwrite, ViStatus primary, ViStatus secondary, ViConstString elaboration, bool ignoreErrors = false) override;
    ViStatus Ivi_GetErrorInfo(ViStatus* primary, ViStatus* secondary, ViChar elaboration[256], bool ignoreErrors = false) override;
    ViStatus Ivi_ClearErrorInfo(bool ignoreErrors = false) override;
    ViStatus Ivi_GetErrorMessage(ViStatus code, ViChar message[256], bool ignoreErrors = false) override;
    ViStatus Ivi_ParamPositionError(ViInt32 position, bool ignoreErrors = false) override;

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
