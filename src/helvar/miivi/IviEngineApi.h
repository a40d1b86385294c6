#pragma once
// Signatures of the IVI engine functions this library calls (C linkage, default convention).
#include "IviTypes.h"  // also the attribute callback types

namespace miivi {
namespace api {

extern "C" {
typedef ViStatus (*LockSession)(ViSession vi, ViBoolean* callerHasLock);
typedef ViStatus (*UnlockSession)(ViSession vi, ViBoolean* callerHasLock);
typedef ViBoolean (*SessionIsAvailable)(ViSession vi);
typedef ViBoolean (*AttributeIsAvailable)(ViSession vi, ViAttr attributeId);
typedef ViStatus (*ValidateAttrForRepCapName)(ViSession vi, ViConstString repCapName, ViAttr attributeId);
typedef ViStatus (*GetNthRepCapName)(ViSession vi, ViConstString repCapName, ViInt32 index, ViConstString* name);
typedef ViStatus (*GetAttributeRepCapName)(ViSession vi, ViAttr attributeId, ViConstString* repCapName);
typedef ViStatus (*DeleteAttribute)(ViSession vi, ViAttr attributeId);
typedef ViStatus (*AddAttributeViAddr)(ViSession vi, ViAttr id, ViConstString name, ViAddr defaultValue,
                                       IviAttrFlags flags, ReadAttrViAddr_CallbackPtr read,
                                       WriteAttrViAddr_CallbackPtr write);
typedef ViStatus (*SetAttributeViInt32)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32);
typedef ViStatus (*SetAttributeViInt64)(ViSession, ViConstString, ViAttr, ViInt32, ViInt64);
typedef ViStatus (*SetAttributeViReal64)(ViSession, ViConstString, ViAttr, ViInt32, ViReal64);
typedef ViStatus (*SetAttributeViString)(ViSession, ViConstString, ViAttr, ViInt32, ViConstString);
typedef ViStatus (*SetAttributeViBoolean)(ViSession, ViConstString, ViAttr, ViInt32, ViBoolean);
typedef ViStatus (*SetAttributeViSession)(ViSession, ViConstString, ViAttr, ViInt32, ViSession);
typedef ViStatus (*SetAttributeViAddr)(ViSession, ViConstString, ViAttr, ViInt32, ViAddr);
typedef ViStatus (*GetAttributeViInt32)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32*);
typedef ViStatus (*GetAttributeViInt64)(ViSession, ViConstString, ViAttr, ViInt32, ViInt64*);
typedef ViStatus (*GetAttributeViReal64)(ViSession, ViConstString, ViAttr, ViInt32, ViReal64*);
typedef ViStatus (*GetAttributeViString)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32 bufferSize, ViChar value[]);
typedef ViStatus (*GetAttributeViBoolean)(ViSession, ViConstString, ViAttr, ViInt32, ViBoolean*);
typedef ViStatus (*GetAttributeViSession)(ViSession, ViConstString, ViAttr, ViInt32, ViSession*);
typedef ViStatus (*GetAttributeViAddr)(ViSession, ViConstString, ViAttr, ViInt32, ViAddr*);
typedef ViStatus (*GetNumAttributes)(ViSession vi, ViInt32* count);
typedef ViStatus (*GetNthAttribute)(ViSession vi, ViInt32 index, ViAttr* attributeId);
typedef ViStatus (*GetAttributeFlags)(ViSession vi, ViAttr attributeId, IviAttrFlags* flags);
typedef ViStatus (*GetAttributeType)(ViSession vi, ViAttr attributeId, ViInt32* dataType);
typedef ViStatus (*GetAttributeName)(ViSession vi, ViAttr attributeId, ViInt32 bufferSize, ViChar name[]);
typedef ViBoolean (*AttributeWasSetByUser)(ViSession vi, ViConstString repCapName, ViAttr attributeId);
typedef ViStatus (*SetErrorInfo)(ViSession vi, ViBoolean overwrite, ViStatus primary, ViStatus secondary,
                                 ViConstString elaboration);
typedef ViStatus (*GetErrorInfo)(ViSession vi, ViStatus* primary, ViStatus* secondary, ViChar elaboration[256]);
typedef ViStatus (*ClearErrorInfo)(ViSession vi);
typedef ViStatus (*GetErrorMessage)(ViStatus code, ViChar message[256]);
typedef ViStatus (*ParamPositionError)(ViInt32 position);
// Session queries that answer a value rather than a status.
typedef ViBoolean (*SessionFlagQuery)(ViSession vi);
typedef ViSession (*SessionHandleQuery)(ViSession vi);
typedef ViBoolean (*AttributeEverSetByUser)(ViSession vi, ViConstString repCapName, ViAttr attributeId);
}

}  // namespace api
}  // namespace miivi
