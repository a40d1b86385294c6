#pragma once
/* The simulated Digiscan digitizer driver (libDigiscan2u.so). It opens engine sessions with the
   digitizer's attribute table, coerces values as the instrument does, and keeps the value the user
   requested (the desired value) beside the coerced one that the engine holds. */
#include "IviTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Session attributes. */
#define DIGISCAN_ATTR_LANGUAGE 1199999          /* ViInt32, default 0 */
#define DIGISCAN_ATTR_MODEL_NUMBER 1100105      /* ViInt32, not user-writable, default 5122 */
#define DIGISCAN_ATTR_SAMPLE_RATE 1250010       /* ViReal64 S/s, coerced up to 1e9/n, (0, 1e9] */
#define DIGISCAN_ATTR_RECORD_LENGTH 1250011     /* ViInt64, rounded up to a multiple of 16, >= 1 */
#define DIGISCAN_ATTR_TRIGGER_SOURCE 1250012    /* ViString "0", "1", "External", "Immediate" (any case in) */
#define DIGISCAN_ATTR_TRIGGER_LEVEL 1250013     /* ViReal64 V, rounded to 1 mV, [-10, 10] */
#define DIGISCAN_ATTR_TRIGGER_SLOPE 1250014     /* ViInt32 DIGISCAN_VAL_* slope */
#define DIGISCAN_ATTR_ACQUISITION_TIMEOUT 1250015 /* ViInt32 ms, -1 infinite */
#define DIGISCAN_ATTR_MASTER_SESSION 1250016    /* ViSession */
#define DIGISCAN_ATTR_USER_DATA 1250017         /* ViAddr */
#define DIGISCAN_ATTR_DEVICE_TEMPERATURE 1250020 /* ViReal64, read-only */
#define DIGISCAN_ATTR_CALIBRATION_HANDLE 1250021 /* ViInt32, hidden (not user-readable/-writable) */
/* Channel-based attributes (repeated capability "Channel", instances "0", "1" by default). */
#define DIGISCAN_ATTR_VERTICAL_RANGE 1250001    /* ViReal64 V, coerced up to 0.05, 0.2, 1 or 5 */
#define DIGISCAN_ATTR_VERTICAL_OFFSET 1250002   /* ViReal64 V, [-10, 10] */
#define DIGISCAN_ATTR_VERTICAL_COUPLING 1250003 /* ViInt32 DIGISCAN_VAL_* coupling */
#define DIGISCAN_ATTR_PROBE_ATTENUATION 1250004 /* ViReal64, >= 1 */
#define DIGISCAN_ATTR_CHANNEL_ENABLED 1250005   /* ViBoolean, any non-zero stored as 1 */
#define DIGISCAN_ATTR_INPUT_IMPEDANCE 1250006   /* ViReal64 ohm, coerced to 50 or 1e6 */

#define DIGISCAN_REPCAP_CHANNEL "Channel"
#define DIGISCAN_VAL_AC 0
#define DIGISCAN_VAL_DC 1
#define DIGISCAN_VAL_GND 2
#define DIGISCAN_VAL_NEGATIVE 0
#define DIGISCAN_VAL_POSITIVE 1
#define DIGISCAN_DEFAULT_MODEL 5122

/* The driver family's status for a buffer too small for the text (errors::bufferTooSmall). */
#define DIGISCAN_ERROR_BUFFER_TOO_SMALL ((ViStatus)-1074100299) /* BFFA87B5 */

/* Opens a simulated session. resourceName is kept for information only. optionString is the
   engine's option string (see Ivi_SpecificDriverNew); its DriverSetup part is a ';'-separated list:
     Model:<n>      model number (non-numeric: the default model)
     Language:<n>   value of DIGISCAN_ATTR_LANGUAGE (any integer, out-of-range ones included)
     Channels:<n>   number of channel instances "0".."n-1" (1 to 16, default 2)
     Omit:<id>      the session lacks this attribute (repeatable), e.g. Omit:1199999
   e.g. "Simulate=1,DriverSetup=Model:5124;Language:2". idQuery and reset are accepted and ignored. */
ViStatus Digiscan_InitWithOptions(ViConstString resourceName, ViBoolean idQuery, ViBoolean reset, ViConstString optionString,
                                  ViSession* vi);
ViStatus Digiscan_close(ViSession vi);

/* The pending error of vi (VI_NULL: the process-wide one, where libraries record failures that
   come before a session is known): *code receives its primary code, description the code's
   meaning followed, after a blank line, by the whole recorded description (no 256-byte limit).
   The meaning is the driver's own for the codes of its range (Helvar's included, the same English
   text as the explanation files) and the engine's for the others. bufferSize 0 returns the size
   needed (text and NUL) and leaves the error pending; a smaller buffer fails with
   DIGISCAN_ERROR_BUFFER_TOO_SMALL and is not written; a large enough one receives the text, the
   error is cleared and the call returns 0. A negative size fails with IVI_ERROR_INVALID_VALUE, a
   null code or a null buffer with a size other than 0 with IVI_ERROR_NULL_POINTER. */
ViStatus Digiscan_GetError(ViSession vi, ViStatus* code, ViInt32 bufferSize, ViChar description[]);
/* Clears the pending error of vi (VI_NULL: the process-wide one). */
ViStatus Digiscan_ClearError(ViSession vi);

/* Sets as the user does (option flags IVI_VAL_DIRECT_USER_CALL); channel "" or null for session
   attributes. The engine keeps the coerced value; the requested one is the desired value. */
ViStatus Digiscan_SetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 value);
ViStatus Digiscan_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt64 value);
ViStatus Digiscan_SetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViReal64 value);
ViStatus Digiscan_SetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViBoolean value);
ViStatus Digiscan_SetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViConstString value);
ViStatus Digiscan_SetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViSession value);
ViStatus Digiscan_SetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViAddr value);

/* Desired-value reads: options 1 gives the requested value (the actual one while nothing was
   requested), options 0 the actual value. They work on any engine session, not only the driver's
   own. The string read follows the engine's string protocol; size 0 with a null buffer returns
   the needed size including the NUL. Counted and injectable through SimIvi under their names. */
ViStatus DigiscanSub_GetAttributeWithOptionsViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViInt32* value);
ViStatus DigiscanSub_GetAttributeWithOptionsViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViInt64* value);
ViStatus DigiscanSub_GetAttributeWithOptionsViReal64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViReal64* value);
ViStatus DigiscanSub_GetAttributeWithOptionsViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViBoolean* value);
ViStatus DigiscanSub_GetAttributeWithOptionsViSession(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViSession* value);
ViStatus DigiscanSub_GetAttributeWithOptionsViAddr(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViAddr* value);
ViInt32 DigiscanSub_GetAttributeWithOptionsViString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 options, ViInt32 bufferSize,
                                                    ViChar value[]);

#ifdef __cplusplus
}
#endif
