#include "helvar/miivi/IviWrapper.h"

#include "common/orverr/Raise.h"

namespace miivi {

ViStatus IviWrapper::raiseErrors(ViStatus status, bool ignoreErrors) {
    if (!ignoreErrors && status < 0) ORVERR_THROW_ENGINE(status);
    return status;
}

ViStatus IviWrapper::raiseErrorsRecordWarnings(ViStatus status, bool ignoreErrors) {
    if (ignoreErrors) return status;
    if (status < 0) ORVERR_THROW_ENGINE(status);
    if (status > 0) engine().Ivi_SetErrorInfo(vi_, VI_FALSE, status, VI_SUCCESS, nullptr);
    return status;
}

ViBoolean IviWrapper::Ivi_SessionIsAvailable() {
    return engine().Ivi_SessionIsAvailable(vi_);
}

ViStatus IviWrapper::Ivi_LockSession(ViBoolean* callerHasLock, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_LockSession(vi_, callerHasLock), ignoreErrors);
}

ViStatus IviWrapper::Ivi_UnlockSession(ViBoolean* callerHasLock, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_UnlockSession(vi_, callerHasLock), ignoreErrors);
}

ViStatus IviWrapper::Ivi_ValidateAttrForRepCapName(ViConstString repCapName, ViAttr attributeId, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_ValidateAttrForRepCapName(vi_, repCapName, attributeId), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetNthRepCapName(ViConstString repCapName, ViInt32 index, ViConstString* name, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetNthRepCapName(vi_, repCapName, index, name), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeRepCapName(ViAttr attributeId, ViConstString* repCapName, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeRepCapName(vi_, attributeId, repCapName), ignoreErrors);
}

ViBoolean IviWrapper::Ivi_AttributeIsAvailable(ViAttr attributeId) {
    return engine().Ivi_AttributeIsAvailable(vi_, attributeId);
}

ViStatus IviWrapper::Ivi_DeleteAttribute(ViAttr attributeId, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_DeleteAttribute(vi_, attributeId), ignoreErrors);
}

ViStatus IviWrapper::Ivi_AddAttributeViAddr(ViAttr attributeId, ViConstString name, ViAddr defaultValue, IviAttrFlags flags, ReadAttrViAddr_CallbackPtr readCallback, WriteAttrViAddr_CallbackPtr writeCallback, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_AddAttributeViAddr(vi_, attributeId, name, defaultValue, flags, readCallback, writeCallback), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32 value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViInt32(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt64 value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViInt64(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViReal64 value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViReal64(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViConstString value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViString(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViBoolean value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViBoolean(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViSession value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViSession(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_SetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViAddr value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetAttributeViAddr(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViInt32(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt64* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViInt64(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViReal64* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViReal64(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViInt32 bufferSize, ViChar value[], bool ignoreErrors) {
    return raiseErrors(engine().Ivi_GetAttributeViString(vi_, channel, attributeId, optionFlags, bufferSize, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViBoolean* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViBoolean(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViSession* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViSession(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags, ViAddr* value, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeViAddr(vi_, channel, attributeId, optionFlags, value), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetNumAttributes(ViInt32* count, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetNumAttributes(vi_, count), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetNthAttribute(ViInt32 index, ViAttr* attributeId, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetNthAttribute(vi_, index, attributeId), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeFlags(ViAttr attributeId, IviAttrFlags* flags, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeFlags(vi_, attributeId, flags), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeType(ViAttr attributeId, ViInt32* dataType, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetAttributeType(vi_, attributeId, dataType), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetAttributeName(ViAttr attributeId, ViInt32 bufferSize, ViChar name[], bool ignoreErrors) {
    return raiseErrors(engine().Ivi_GetAttributeName(vi_, attributeId, bufferSize, name), ignoreErrors);
}

ViBoolean IviWrapper::Ivi_AttributeWasSetByUser(ViConstString channel, ViAttr attributeId) {
    return engine().Ivi_AttributeWasSetByUser(vi_, channel, attributeId);
}

ViStatus IviWrapper::Ivi_SetErrorInfo(ViBoolean overwrite, ViStatus primary, ViStatus secondary, ViConstString elaboration, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_SetErrorInfo(vi_, overwrite, primary, secondary, elaboration), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetErrorInfo(ViStatus* primary, ViStatus* secondary, ViChar elaboration[256], bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetErrorInfo(vi_, primary, secondary, elaboration), ignoreErrors);
}

ViStatus IviWrapper::Ivi_ClearErrorInfo(bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_ClearErrorInfo(vi_), ignoreErrors);
}

ViStatus IviWrapper::Ivi_GetErrorMessage(ViStatus code, ViChar message[256], bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_GetErrorMessage(code, message), ignoreErrors);
}

ViStatus IviWrapper::Ivi_ParamPositionError(ViInt32 position, bool ignoreErrors) {
    return raiseErrorsRecordWarnings(engine().Ivi_ParamPositionError(position), ignoreErrors);
}

}  // namespace miivi
