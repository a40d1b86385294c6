#pragma once
// Symbol visibility of the outside libraries (explorer, storage, platform). Each library defines
// <NAME>_BUILDING while it is compiled; users get the import form.
#if defined(_WIN32)
#define ORV_SYMBOL_EXPORT __declspec(dllexport)
#define ORV_SYMBOL_IMPORT __declspec(dllimport)
#else
#define ORV_SYMBOL_EXPORT __attribute__((visibility("default")))
#define ORV_SYMBOL_IMPORT __attribute__((visibility("default")))
#endif

#if defined(ORVPALU_BUILDING)
#define PALU_API ORV_SYMBOL_EXPORT
#else
#define PALU_API ORV_SYMBOL_IMPORT
#endif

#if defined(ORVMDBGU_BUILDING)
#define MDBG_API ORV_SYMBOL_EXPORT
#else
#define MDBG_API ORV_SYMBOL_IMPORT
#endif

#if defined(ORVQTXFU_BUILDING)
#define QTXFU_API ORV_SYMBOL_EXPORT
#else
#define QTXFU_API ORV_SYMBOL_IMPORT
#endif

#if defined(OLEAUT32_BUILDING)
#define OLEAUT_API ORV_SYMBOL_EXPORT
#else
#define OLEAUT_API ORV_SYMBOL_IMPORT
#endif

#if defined(SVS_BUILDING)
#define SVS_API ORV_SYMBOL_EXPORT
#else
#define SVS_API ORV_SYMBOL_IMPORT
#endif

#if defined(SVSUTILS_BUILDING)
#define SVSUTILS_API ORV_SYMBOL_EXPORT
#else
#define SVSUTILS_API ORV_SYMBOL_IMPORT
#endif

#if defined(__GNUC__)
#define ORV_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define ORV_PRINTF_FORMAT(formatIndex, firstArgument)
#endif
