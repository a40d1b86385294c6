#pragma once
// The object through which everything in the library calls the IVI engine for one session.
//
// Each operation is named after the engine function it wraps and takes that function's
// parameters without the leading session handle (the wrapper passes its own). Three kinds:
//  - raising (most): a negative status is raised as orverr::Exception (constant "error"); a
//    positive one (a warning) is recorded as the session's pending error and returned. With
//    ignoreErrors the engine's status is returned untouched.
//  - raising, positive passes (Ivi_GetAttributeViString, Ivi_GetAttributeName): a positive
//    result is a needed buffer size and is returned without being recorded.
//  - plain (the availability and set-by-user queries): no ignoreErrors; the value is returned.
// Only the engine functions the library calls are offered, in the engine table's order.
#include "IviTypes.h"
#include "helvar/miivi/IviEngineApi.h"

namespace miivi {

class IviWrapperInterface {
public:
    virtual ~IviWrapperInterface() = default;
    virtual ViSession getSession() const = 0;

    virtual ViBoolean Ivi_SessionIsAvailable() = 0;
    virtual ViStatus Ivi_LockSession(ViBoolean* callerHasLock, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_UnlockSession(ViBoolean* callerHasLock, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_ValidateAttrForRepCapName(ViConstString repCapName, ViAttr attributeId,
                                                   bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetNthRepCapName(ViConstString repCapName, ViInt32 index, ViConstString* name,
                                          bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeRepCapName(ViAttr attributeId, ViConstString* repCapName,
                                                bool ignoreErrors = false) = 0;
    virtual ViBoolean Ivi_AttributeIsAvailable(ViAttr attributeId) = 0;
    virtual ViStatus Ivi_DeleteAttribute(ViAttr attributeId, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_AddAttributeViAddr(ViAttr attributeId, ViConstString name, ViAddr defaultValue,
                                            IviAttrFlags flags, ReadAttrViAddr_CallbackPtr readCallback,
                                            WriteAttrViAddr_CallbackPtr writeCallback,
                                            bool ignoreErrors = false) = 0;

    virtual ViStatus Ivi_SetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                             ViInt32 value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                             ViInt64 value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                              ViReal64 value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                              ViConstString value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                               ViBoolean value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                               ViSession value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_SetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                            ViAddr value, bool ignoreErrors = false) = 0;

    virtual ViStatus Ivi_GetAttributeViInt32(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                             ViInt32* value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViInt64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                             ViInt64* value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViReal64(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                              ViReal64* value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViString(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                              ViInt32 bufferSize, ViChar value[], bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViBoolean(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                               ViBoolean* value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViSession(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                               ViSession* value, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeViAddr(ViConstString channel, ViAttr attributeId, ViInt32 optionFlags,
                                            ViAddr* value, bool ignoreErrors = false) = 0;

    virtual ViStatus Ivi_GetNumAttributes(ViInt32* count, bool ignoreErrors = false) = 0;
    // index is 1-based.
    virtual ViStatus Ivi_GetNthAttribute(ViInt32 index, ViAttr* attributeId, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeFlags(ViAttr attributeId, IviAttrFlags* flags, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeType(ViAttr attributeId, ViInt32* dataType, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetAttributeName(ViAttr attributeId, ViInt32 bufferSize, ViChar name[],
                                          bool ignoreErrors = false) = 0;
    virtual ViBoolean Ivi_AttributeWasSetByUser(ViConstString channel, ViAttr attributeId) = 0;

    virtual ViStatus Ivi_SetErrorInfo(ViBoolean overwrite, ViStatus primary, ViStatus secondary,
                                      ViConstString elaboration, bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetErrorInfo(ViStatus* primary, ViStatus* secondary, ViChar elaboration[256],
                                      bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_ClearErrorInfo(bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_GetErrorMessage(ViStatus code, ViChar message[256], bool ignoreErrors = false) = 0;
    virtual ViStatus Ivi_ParamPositionError(ViInt32 position, bool ignoreErrors = false) = 0;
};

// Makes the wrapper of one session handle; the caller owns it.
class IviWrapperFactoryInterface {
public:
    virtual ~IviWrapperFactoryInterface() = default;
    virtual IviWrapperInterface* create(ViSession vi) = 0;
};

}  // namespace miivi
