#pragma once
/* IVI types with the fixed widths of the 64-bit Windows target. */
#include <stdint.h>

typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef int64_t ViInt64;
typedef uint16_t ViUInt16;
typedef int16_t ViInt16;
typedef double ViReal64;
typedef char ViChar;
typedef ViUInt32 ViSession;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViAttr;
typedef ViUInt16 ViBoolean;
typedef ViChar* ViString;
typedef const ViChar* ViConstString;
typedef void* ViAddr;
typedef ViInt32 IviAttrFlags;

#define VI_NULL 0
#define VI_TRUE ((ViBoolean)1)
#define VI_FALSE ((ViBoolean)0)
#define VI_SUCCESS ((ViStatus)0)

/* Engine type codes. */
#define IVI_VAL_INT32 1
#define IVI_VAL_INT64 2
#define IVI_VAL_REAL64 4
#define IVI_VAL_STRING 5
#define IVI_VAL_ADDR 10
#define IVI_VAL_SESSION 11
#define IVI_VAL_BOOLEAN 13
#define IVI_VAL_UNKNOWN_TYPE 14

/* Option flag of a set made on the user's behalf. */
#define IVI_VAL_DIRECT_USER_CALL 1

/* Attribute flags. */
#define IVI_VAL_NOT_SUPPORTED 0x1
#define IVI_VAL_NOT_READABLE 0x2
#define IVI_VAL_NOT_WRITABLE 0x4
#define IVI_VAL_NOT_USER_READABLE 0x8
#define IVI_VAL_NOT_USER_WRITABLE 0x10
#define IVI_VAL_HIDDEN (IVI_VAL_NOT_USER_READABLE | IVI_VAL_NOT_USER_WRITABLE)
#define IVI_VAL_NEVER_CACHE 0x20
#define IVI_VAL_ALWAYS_CACHE 0x40
#define IVI_VAL_MULTI_CHANNEL 0x800

/* Option flags of attribute gets and sets (IVI_VAL_DIRECT_USER_CALL above). */
#define IVI_VAL_SET_CACHE_ONLY 2
#define IVI_VAL_DONT_MARK_AS_SET_BY_USER 4

/* Inherent attributes every engine session has. */
#define IVI_ATTR_RANGE_CHECK 1050002
#define IVI_ATTR_QUERY_INSTRUMENT_STATUS 1050003
#define IVI_ATTR_CACHE 1050004
#define IVI_ATTR_SIMULATE 1050005
#define IVI_ATTR_RECORD_COERCIONS 1050006
#define IVI_ATTR_DRIVER_SETUP 1050007
#define IVI_ATTR_INTERCHANGE_CHECK 1050021
#define IVI_ATTR_PRIMARY_ERROR 1050101
#define IVI_ATTR_SECONDARY_ERROR 1050102
#define IVI_ATTR_ERROR_ELABORATION 1050103

/* Statuses of the IVI engine (decimal; hexadecimal in the comment). */
#define IVI_ERROR_CANNOT_RECOVER ((ViStatus)-1074135040)            /* BFFA0000 */
#define IVI_ERROR_READING_FILE ((ViStatus)-1074135037)              /* BFFA0003 */
#define IVI_ERROR_WRITING_FILE ((ViStatus)-1074135036)              /* BFFA0004 */
#define IVI_ERROR_FUNCTION_NOT_FOUND ((ViStatus)-1074135031)        /* BFFA0009 */
#define IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED ((ViStatus)-1074135028)   /* BFFA000C */
#define IVI_ERROR_ATTR_NOT_WRITABLE ((ViStatus)-1074135027)         /* BFFA000D */
#define IVI_ERROR_ATTR_NOT_READABLE ((ViStatus)-1074135026)         /* BFFA000E */
#define IVI_ERROR_INVALID_PARAMETER ((ViStatus)-1074135025)         /* BFFA000F */
#define IVI_ERROR_INVALID_VALUE ((ViStatus)-1074135024)             /* BFFA0010 */
#define IVI_ERROR_FUNCTION_NOT_SUPPORTED ((ViStatus)-1074135023)    /* BFFA0011 */
#define IVI_ERROR_TYPES_DO_NOT_MATCH ((ViStatus)-1074135019)        /* BFFA0015 */
#define IVI_ERROR_UNKNOWN_CHANNEL_NAME ((ViStatus)-1074135008)      /* BFFA0020 */
#define IVI_ERROR_DUPLICATE_CHANNEL_STRING ((ViStatus)-1074134978)  /* BFFA003E */
#define IVI_ERROR_CHANNEL_NAME_REQUIRED ((ViStatus)-1074134972)     /* BFFA0044 */
#define IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED ((ViStatus)-1074134971)  /* BFFA0045 */
#define IVI_ERROR_INVALID_ATTRIBUTE_FOR_CHANNEL ((ViStatus)-1074134970) /* BFFA0046 */
#define IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS ((ViStatus)-1074134969)  /* BFFA0047 */
#define IVI_ERROR_SESSION_NOT_LOCKED ((ViStatus)-1074134968)        /* BFFA0048 */
#define IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY ((ViStatus)-1074134967) /* BFFA0049 */
#define IVI_ERROR_BAD_CHANNEL_NAME ((ViStatus)-1074134956)          /* BFFA0054 */
#define IVI_ERROR_OUT_OF_MEMORY ((ViStatus)-1074134954)             /* BFFA0056 */
#define IVI_ERROR_NULL_POINTER ((ViStatus)-1074134952)              /* BFFA0058 */
#define IVI_ERROR_INVALID_SESSION_HANDLE ((ViStatus)-1074134928)    /* BFFA0070 */
/* Parameter-position errors for positions 1 to 8; other positions give IVI_ERROR_INVALID_PARAMETER. */
#define VI_ERROR_PARAMETER1 ((ViStatus)-1074003967)                 /* BFFC0001 */
#define VI_ERROR_PARAMETER8 ((ViStatus)-1074003960)                 /* BFFC0008 */
/* Warnings. */
#define IVI_WARN_NSUP_ID_QUERY ((ViStatus)1073348709)               /* 3FFA0065 */
#define IVI_WARN_NSUP_RESET ((ViStatus)1073348710)                  /* 3FFA0066 */

/* Attribute callbacks (scalar types; io is the engine's I/O session, 0 here). */
#ifdef __cplusplus
extern "C" {
#endif
typedef ViStatus (*ReadAttrViInt32_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViInt32* value);
typedef ViStatus (*WriteAttrViInt32_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViInt32 value);
typedef ViStatus (*ReadAttrViInt64_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViInt64* value);
typedef ViStatus (*WriteAttrViInt64_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViInt64 value);
typedef ViStatus (*ReadAttrViReal64_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViReal64* value);
typedef ViStatus (*WriteAttrViReal64_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViReal64 value);
typedef ViStatus (*ReadAttrViBoolean_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViBoolean* value);
typedef ViStatus (*WriteAttrViBoolean_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViBoolean value);
typedef ViStatus (*ReadAttrViSession_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViSession* value);
typedef ViStatus (*WriteAttrViSession_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViSession value);
typedef ViStatus (*ReadAttrViAddr_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViAddr* value);
typedef ViStatus (*WriteAttrViAddr_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViAddr value);
/* String reads are not delegated to callbacks; the write callback sees the stored text. */
typedef ViStatus (*ReadAttrViString_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViInt32 bufferSize, ViChar value[]);
typedef ViStatus (*WriteAttrViString_CallbackPtr)(ViSession vi, ViSession io, ViConstString repCapName, ViAttr id, ViConstString value);
typedef struct IviRangeTable* IviRangeTablePtr;
#ifdef __cplusplus
}
#endif
