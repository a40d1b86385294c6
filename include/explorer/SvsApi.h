#pragma once
// Entry points of the explorer's libraries svs (libsvs.so) and svsutils (libsvsutils.so).
// Experts load both by full path from the folder of the registry value below and look the
// entry points up by these names.
#include "explorer/SvsStorage.h"

// HKEY_LOCAL_MACHINE key of the explorer's installation (also read in the 32-bit view).
#define SVS_REGISTRY_KEY "Software\\Orvane\\Sysvista"
#define SVS_LIBRARY_NAME "svs.dll"
#define SVSUTILS_LIBRARY_NAME "svsutils.dll"

extern "C" {

// --- svs ---
// A new configuration object (one reference for the caller). reserved must be null.
typedef HRESULT (*svsGetConfiguration_t)(void* reserved, ULONG flags, IsvsConfiguration** configuration);
SVS_API HRESULT svsGetConfiguration(void* reserved, ULONG flags, IsvsConfiguration** configuration);
// As svsGetConfiguration with a storage name (null or L"": the default storage).
typedef HRESULT (*svsGetConfigurationEx_t)(void* reserved, ULONG flags, const wchar_t* name,
                                           IsvsConfiguration** configuration);
SVS_API HRESULT svsGetConfigurationEx(void* reserved, ULONG flags, const wchar_t* name,
                                      IsvsConfiguration** configuration);
typedef HRESULT (*svsInitialize_t)(ULONG flags);
SVS_API HRESULT svsInitialize(ULONG flags);
typedef HRESULT (*svsFinalize_t)();
SVS_API HRESULT svsFinalize();

// --- svsutils ---
// Decimal text of value into buffer (size in characters, including the NUL).
typedef HRESULT (*svsU32ToString_t)(ULONG value, wchar_t* buffer, ULONG size);
SVSUTILS_API HRESULT svsU32ToString(ULONG value, wchar_t* buffer, ULONG size);
// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces optional, any case).
typedef HRESULT (*svsGuidFromString_t)(const wchar_t* text, GUID* id);
SVSUTILS_API HRESULT svsGuidFromString(const wchar_t* text, GUID* id);
// Braced upper-case text; size in characters, at least 39.
typedef HRESULT (*svsGuidToString_t)(const GUID* id, wchar_t* buffer, ULONG size);
SVSUTILS_API HRESULT svsGuidToString(const GUID* id, wchar_t* buffer, ULONG size);
// Frees memory the explorer's libraries handed out; null is ignored.
typedef void (*svsFree_t)(void* memory);
SVSUTILS_API void svsFree(void* memory);

}
