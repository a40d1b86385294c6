#pragma once
/* Control API of the stand-in IVI engine (libivi.so), for tests, tools and the driver stand-in.
   None of these functions is counted by SimIvi_CallCount or hit by injections; they work on every
   build variant of the engine, including those that lack optional engine functions. */
#include "IviEngine.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Sessions ---------------------------------------------------------------------------- */
/* A new engine session with the inherent attributes (1050002-1050007, 1050021, 1050101-1050103),
   configured from optionString as Ivi_SpecificDriverNew does (null: all defaults). Handles are
   never 0 and never reused. */
ViStatus SimIvi_CreateSession(ViConstString optionString, ViSession* vi);
ViStatus SimIvi_DestroySession(ViSession vi);
/* Number of live sessions. */
ViInt32 SimIvi_SessionCount(void);
/* Destroys every session and clears all pending errors, injections and counters. */
void SimIvi_Reset(void);

/* ---- Attributes -------------------------------------------------------------------------- */
/* instanceList: comma-separated instance names; builds or extends the repeated capability. */
ViStatus SimIvi_BuildRepCap(ViSession vi, ViConstString repCapName, ViConstString instanceList);
/* Adds an attribute of any engine type (IVI_VAL_INT32 ... IVI_VAL_BOOLEAN) with a zero / empty /
   null default value; repCapName null or "" for a session-wide attribute. Any other type code
   gives an attribute that holds no value: it is listed and typed, but every read and write of it
   answers IVI_ERROR_TYPES_DO_NOT_MATCH (for callers that must skip types they do not know). */
ViStatus SimIvi_AddAttribute(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, ViInt32 type,
                             IviAttrFlags flags);

/* A value of any engine type; only the member of `type` is used. */
typedef struct SimIvi_Value {
    ViInt32 type; /* IVI_VAL_* */
    ViInt32 int32Value;
    ViInt64 int64Value;
    ViReal64 real64Value;
    ViBoolean booleanValue;
    ViSession sessionValue;
    ViAddr addrValue;
    ViConstString stringValue; /* set and coerce only; string reads use SimIvi_GetAttributeString */
} SimIvi_Value;

/* Adds an attribute whose default is defaultValue (its type member gives the attribute's type). */
ViStatus SimIvi_AddAttributeWithDefault(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, IviAttrFlags flags,
                                        const SimIvi_Value* defaultValue);
/* Same rules as Ivi_SetAttributeVi<T> (option flags, coercion, set-by-user marks). */
ViStatus SimIvi_SetAttribute(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, const SimIvi_Value* value);
/* Non-string types; value->type receives the attribute's type. */
ViStatus SimIvi_GetAttribute(ViSession vi, ViConstString channel, ViAttr id, SimIvi_Value* value);
/* String protocol of Ivi_GetAttributeViString. */
ViStatus SimIvi_GetAttributeString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 bufferSize, ViChar value[]);
/* The Int64 accessors, also on engine builds without the optional Int64 functions. */
ViStatus SimIvi_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, ViInt64 value);
ViStatus SimIvi_GetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt64* value);
/* Sets or clears the set-by-user mark of one value without changing the value. */
ViStatus SimIvi_SetAsUser(ViSession vi, ViConstString channel, ViAttr id, ViBoolean setByUser);

/* Coercion hook, called on every set and check of the attribute (any option flags) before the
   value is stored. value holds the requested value; the hook may replace it (for strings, by
   pointing stringValue at text that stays valid until the hook returns). checkOnly is VI_TRUE
   for Ivi_CheckAttributeVi<T>, where nothing is stored. channel is "" for session attributes. A negative result
   refuses the set. context is handed back unchanged. Null removes the hook. */
typedef ViStatus (*SimIvi_CoerceCallback)(ViSession vi, ViConstString channel, ViAttr id, ViBoolean checkOnly, SimIvi_Value* value,
                                          void* context);
ViStatus SimIvi_SetCoerceCallback(ViSession vi, ViAttr id, SimIvi_CoerceCallback callback, void* context);

/* ---- Failure and warning injection ------------------------------------------------------- */
/* function: an engine name ("Ivi_LockSession", "Ivi_GetAttributeViInt32", ...) or a driver entry
   point that routes through SimIvi_BeginCall. After `skipCalls` matching calls, the next `times`
   matching calls (-1: all following) are affected:
   SIMIVI_INJECT_FAIL: the call does nothing and returns `status` (for functions that return a
     value instead of a status, such as Ivi_SessionIsAvailable, that value converted);
   SIMIVI_INJECT_WARN: the call does its work and, if it succeeded, returns `status` instead of 0.
   attributeId 0 matches every call; another id matches only calls about that attribute. */
#define SIMIVI_INJECT_FAIL 1
#define SIMIVI_INJECT_WARN 2
ViStatus SimIvi_Inject(ViConstString function, ViInt32 mode, ViStatus status, ViAttr attributeId, ViInt32 skipCalls, ViInt32 times);
ViStatus SimIvi_InjectFailure(ViConstString function, ViStatus status, ViInt32 skipCalls, ViInt32 times);
ViStatus SimIvi_InjectWarning(ViConstString function, ViStatus warning, ViInt32 skipCalls, ViInt32 times);
void SimIvi_ClearInjections(void);

/* Calls of an engine (or routed driver) function since the last reset, injected ones included. */
ViInt32 SimIvi_CallCount(ViConstString function);
void SimIvi_ResetCounters(void);
/* VI_FALSE: engine and routed calls are no longer counted nor hit by injections, so that a
   benchmark times the caller rather than these books; VI_TRUE (the start) turns both back on.
   SimIvi_Reset turns them back on too. */
void SimIvi_SetBookkeeping(ViBoolean on);

/* For a function outside the engine that wants counting and injection (the driver stand-in):
   if SimIvi_BeginCall returns SIMIVI_INJECT_FAIL, return token.status at once; otherwise do the
   work and return SimIvi_EndCall(&token, result). */
typedef struct SimIvi_CallToken {
    ViInt32 action; /* 0, SIMIVI_INJECT_FAIL or SIMIVI_INJECT_WARN */
    ViStatus status;
} SimIvi_CallToken;
ViInt32 SimIvi_BeginCall(ViConstString function, ViAttr attributeId, SimIvi_CallToken* token);
ViStatus SimIvi_EndCall(const SimIvi_CallToken* token, ViStatus result);

/* The engine's string protocol, for libraries that hand out text the same way. */
ViStatus SimIvi_CopyOut(ViConstString text, ViInt32 bufferSize, ViChar buffer[]);

/* ---- Inspection -------------------------------------------------------------------------- */
/* Depth of the session lock summed over all holders (0: free); -1 for an unknown handle. */
ViInt32 SimIvi_LockCount(ViSession vi);
/* The pending error of a handle (0: the process-wide one) without clearing it; primary 0 when
   none. The elaboration follows the string protocol (bufferSize 0 and null buffer allowed); the
   result is 0, the needed size, or a negative status for an unknown handle. */
ViStatus SimIvi_GetPendingError(ViSession vi, ViStatus* primary, ViStatus* secondary, ViInt32 bufferSize, ViChar elaboration[]);
/* Clears the pending error of a handle (0: the process-wide one); a negative status for an unknown
   handle. */
ViStatus SimIvi_ClearPendingError(ViSession vi);
/* The text Ivi_GetErrorMessage gives for a code ("Unknown status code (0x...)." for one the engine
   does not know), under the string protocol and without the 256-byte limit. */
ViStatus SimIvi_GetErrorMessage(ViStatus code, ViInt32 bufferSize, ViChar message[]);

#ifdef __cplusplus
}
#endif
