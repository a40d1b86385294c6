#pragma once
/* The IVI engine functions the stand-in engine implements. Every other name of the engine's
   function list is exported too and answers IVI_ERROR_FUNCTION_NOT_SUPPORTED. */
#include "IviTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Sessions. optionString: "Simulate=1,RangeCheck=1,QueryInstrStatus=0,Cache=1,RecordCoercions=0,
   InterchangeCheck=0,DriverSetup=<rest of the text>" (any subset, any order, DriverSetup last). */
ViStatus Ivi_SpecificDriverNew(ViConstString specificPrefix, ViConstString optionString, ViSession* newVi);
ViStatus Ivi_Dispose(ViSession vi);
ViStatus Ivi_ValidateSession(ViSession vi);
ViBoolean Ivi_SessionIsAvailable(ViSession vi);
ViStatus Ivi_LockSession(ViSession vi, ViBoolean* callerHasLock);
ViStatus Ivi_UnlockSession(ViSession vi, ViBoolean* callerHasLock);
ViBoolean Ivi_RangeChecking(ViSession vi);
ViBoolean Ivi_QueryInstrStatus(ViSession vi);
ViBoolean Ivi_Simulating(ViSession vi);
ViBoolean Ivi_UseSpecificSimulation(ViSession vi);
ViBoolean Ivi_Spying(ViSession vi);
ViBoolean Ivi_InterchangeCheck(ViSession vi);
ViSession Ivi_IOSession(ViSession vi);

/* Repeated capabilities (channels). instanceList: comma-separated names, e.g. "0,1". */
ViStatus Ivi_BuildRepCapTable(ViSession vi, ViConstString repCapName, ViConstString instanceList);
ViStatus Ivi_AddToRepCapTable(ViSession vi, ViConstString repCapName, ViConstString instanceList);
/* The repeated capability "Channel"; IVI_VAL_MULTI_CHANNEL attributes are based on it. */
ViStatus Ivi_BuildChannelTable(ViSession vi, ViConstString channelList, ViBoolean allowUnknown, ViAddr reserved);
ViStatus Ivi_AddToChannelTable(ViSession vi, ViConstString channelList);
ViStatus Ivi_GetAttributeRepCapName(ViSession vi, ViAttr attributeId, ViConstString* repCapName);
ViStatus Ivi_GetNthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 index, ViConstString* name);
ViStatus Ivi_ValidateAttrForRepCapName(ViSession vi, ViConstString repCapName, ViAttr attributeId);
ViStatus Ivi_ValidateAttrForChannel(ViSession vi, ViConstString channelName, ViAttr attributeId);

/* Attributes. Range tables are not modelled: rangeTable must be VI_NULL. */
ViStatus Ivi_AddAttributeViInt32(ViSession vi, ViAttr id, ViConstString name, ViInt32 defaultValue, IviAttrFlags flags,
                                 ReadAttrViInt32_CallbackPtr read, WriteAttrViInt32_CallbackPtr write, IviRangeTablePtr rangeTable);
ViStatus Ivi_AddAttributeViInt64(ViSession vi, ViAttr id, ViConstString name, ViInt64 defaultValue, IviAttrFlags flags,
                                 ReadAttrViInt64_CallbackPtr read, WriteAttrViInt64_CallbackPtr write, IviRangeTablePtr rangeTable);
ViStatus Ivi_AddAttributeViReal64(ViSession vi, ViAttr id, ViConstString name, ViReal64 defaultValue, IviAttrFlags flags,
                                  ReadAttrViReal64_CallbackPtr read, WriteAttrViReal64_CallbackPtr write, IviRangeTablePtr rangeTable);
ViStatus Ivi_AddAttributeViString(ViSession vi, ViAttr id, ViConstString name, ViConstString defaultValue, IviAttrFlags flags,
                                  ReadAttrViString_CallbackPtr read, WriteAttrViString_CallbackPtr write);
ViStatus Ivi_AddAttributeViBoolean(ViSession vi, ViAttr id, ViConstString name, ViBoolean defaultValue, IviAttrFlags flags,
                                   ReadAttrViBoolean_CallbackPtr read, WriteAttrViBoolean_CallbackPtr write);
ViStatus Ivi_AddAttributeViSession(ViSession vi, ViAttr id, ViConstString name, ViSession defaultValue, IviAttrFlags flags,
                                   ReadAttrViSession_CallbackPtr read, WriteAttrViSession_CallbackPtr write);
ViStatus Ivi_AddAttributeViAddr(ViSession vi, ViAttr id, ViConstString name, ViAddr defaultValue, IviAttrFlags flags,
                                ReadAttrViAddr_CallbackPtr read, WriteAttrViAddr_CallbackPtr write);
ViStatus Ivi_AddRepeatedAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViInt32 defaultValue,
                                         IviAttrFlags flags, ReadAttrViInt32_CallbackPtr read, WriteAttrViInt32_CallbackPtr write,
                                         IviRangeTablePtr rangeTable);
ViStatus Ivi_AddRepeatedAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViInt64 defaultValue,
                                         IviAttrFlags flags, ReadAttrViInt64_CallbackPtr read, WriteAttrViInt64_CallbackPtr write,
                                         IviRangeTablePtr rangeTable);
ViStatus Ivi_AddRepeatedAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViReal64 defaultValue,
                                          IviAttrFlags flags, ReadAttrViReal64_CallbackPtr read, WriteAttrViReal64_CallbackPtr write,
                                          IviRangeTablePtr rangeTable);
ViStatus Ivi_AddRepeatedAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViConstString defaultValue,
                                          IviAttrFlags flags, ReadAttrViString_CallbackPtr read, WriteAttrViString_CallbackPtr write);
ViStatus Ivi_AddRepeatedAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViBoolean defaultValue,
                                           IviAttrFlags flags, ReadAttrViBoolean_CallbackPtr read, WriteAttrViBoolean_CallbackPtr write);
ViStatus Ivi_AddRepeatedAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViSession defaultValue,
                                           IviAttrFlags flags, ReadAttrViSession_CallbackPtr read, WriteAttrViSession_CallbackPtr write);
ViStatus Ivi_AddRepeatedAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViAddr defaultValue,
                                        IviAttrFlags flags, ReadAttrViAddr_CallbackPtr read, WriteAttrViAddr_CallbackPtr write);
ViStatus Ivi_DeleteAttribute(ViSession vi, ViAttr attributeId);
ViBoolean Ivi_AttributeIsAvailable(ViSession vi, ViAttr attributeId);
ViStatus Ivi_ValidateAttribute(ViSession vi, ViAttr attributeId);
ViStatus Ivi_GetNumAttributes(ViSession vi, ViInt32* count);
ViStatus Ivi_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr* attributeId); /* index is 1-based */
/* String protocol: a buffer too small (or size 0) gets what fits, NUL-terminated, and the result is
   the needed size including the NUL; otherwise 0. A null buffer with a non-zero size is refused. */
ViStatus Ivi_GetAttributeName(ViSession vi, ViAttr attributeId, ViInt32 bufferSize, ViChar name[]);
ViStatus Ivi_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32* dataType);
ViStatus Ivi_GetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags* flags);
ViStatus Ivi_SetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags flags);
ViBoolean Ivi_AttributeWasSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId);
ViBoolean Ivi_AttributeEverSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId);

/* Option flags: IVI_VAL_DIRECT_USER_CALL (1) checks the user-access flags and marks the value as
   set by the user; IVI_VAL_DONT_MARK_AS_SET_BY_USER (4) suppresses the mark. */
ViStatus Ivi_SetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt32 value);
ViStatus Ivi_SetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt64 value);
ViStatus Ivi_SetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViReal64 value);
ViStatus Ivi_SetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViConstString value);
ViStatus Ivi_SetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViBoolean value);
ViStatus Ivi_SetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViSession value);
ViStatus Ivi_SetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViAddr value);
ViStatus Ivi_CheckAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt32 value);
ViStatus Ivi_CheckAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt64 value);
ViStatus Ivi_CheckAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViReal64 value);
ViStatus Ivi_CheckAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViConstString value);
ViStatus Ivi_CheckAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViBoolean value);
ViStatus Ivi_CheckAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViSession value);
ViStatus Ivi_CheckAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViAddr value);
ViStatus Ivi_GetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt32* value);
ViStatus Ivi_GetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt64* value);
ViStatus Ivi_GetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViReal64* value);
ViStatus Ivi_GetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViInt32 bufferSize,
                                  ViChar value[]);
ViStatus Ivi_GetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViBoolean* value);
ViStatus Ivi_GetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViSession* value);
ViStatus Ivi_GetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr id, ViInt32 optionFlags, ViAddr* value);

/* Errors. Handle 0 holds the process-wide pending error. */
ViStatus Ivi_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primary, ViStatus secondary, ViConstString elaboration);
ViStatus Ivi_GetErrorInfo(ViSession vi, ViStatus* primary, ViStatus* secondary, ViChar elaboration[256]);
ViStatus Ivi_ClearErrorInfo(ViSession vi);
ViStatus Ivi_GetErrorMessage(ViStatus code, ViChar message[256]);
ViStatus Ivi_ParamPositionError(ViInt32 position);

#ifdef __cplusplus
}
#endif
