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
