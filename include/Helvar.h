#ifndef HELVAR_H
#define HELVAR_H
/* Helvar: attribute configuration documents for sessions of the Digiscan digitizer driver.

   Use: open the instrument session with the driver, call Helvar_Initialize once, then any of
   the six operations (import/export to a file or a buffer, save, restore) from any thread, and
   Helvar_Close once while the driver session is still open.

   Every export returns a ViStatus: 0 on success, a negative code on failure (the buffer export
   and Helvar_DescribeStatus also return sizes, the latter a warning). In addition, each
   failure is recorded as the pending error in the IVI engine (Ivi_GetErrorInfo), with a text of
   its details:
     - Helvar_Initialize and Helvar_Close record against the null handle 0;
     - the six operations record against the null handle when the session lock is refused
       (handle 0, a handle the engine does not know), otherwise against vi.
   The text lists the failure's details ("File Path: /x"), one per line, in the session's
   language (the process-wide default for the null handle: the graphical run-time's language
   when one is loaded, else English), in that language's Windows code page (1252, 932, 949 or
   936); a failure without details is recorded with an empty text.
   Warnings of the engine or the driver met during a call are recorded in the same way as they
   occur and are not returned. No export lets an exception or a crash escape: bad arguments
   give a status.

   Choices of this implementation:
     - Helvar_Initialize and Helvar_Close take no session lock; do not run them concurrently with
       other calls on the same session.
     - A negative buffer size, a null file path, or a null buffer with a size other than 0 fails
       with HELVAR_ERROR_INVALID_VALUE (recorded against vi); nothing is opened, copied or parsed.
     - Files of 2 GiB or more are refused with HELVAR_ERROR_READING_FILE. A byte-order mark is
       not skipped: such a file is refused as HELVAR_ERROR_CORRUPTED_FORMAT.
     - ViAddr attributes are never exported or saved (an address means nothing in another
       process); an imported entry for one is refused. So a document this library writes always
       passes its own validation.
     - A ViReal64 that is NaN or infinite is written as the string "NaN", "Infinity" or
       "-Infinity" and read back from exactly those strings.
     - Every entry is checked against the session before any is applied: an unknown attribute,
       a value of the wrong JSON kind for the attribute's type, a fraction or an out-of-range
       number where an integer is needed, a non-string where a string is needed, or a missing or
       non-string "name" is refused as HELVAR_ERROR_INVALID_SCHEMA, with the attribute id and
       the document location in the recorded description. Only an entry the engine or the
       driver refuses while applying leaves the entries before it applied; its status is theirs,
       and the description names the entry (its place in "attributes", id, name and channel).
     - Entries for the session's own options (1050002 to 1050007, 1050021), which no export
       writes, and member names that occur twice in one object are refused as
       HELVAR_ERROR_INVALID_SCHEMA before anything is applied. The whole text must be UTF-8; a
       text that is not well formed is described by the line, byte column and reason of its
       first error.
     - Documents are untrusted input: nesting deeper than 64 levels, numbers longer than 800
       characters and exponents beyond 9999 are refused as HELVAR_ERROR_CORRUPTED_FORMAT before
       parsing; no input can exhaust the stack.
     - An unexpected failure that carries no status of its own gives HELVAR_ERROR_UNEXPECTED. */
#include "IviTypes.h"

#if defined(_WIN32)
#if defined(HELVAR_BUILDING)
#define HELVAR_API __declspec(dllexport)
#else
#define HELVAR_API __declspec(dllimport)
#endif
#else
#define HELVAR_API __attribute__((visibility("default")))
#endif

/* Statuses that callers test. */
#define HELVAR_ERROR_SESSION_NOT_INITIALIZED ((ViStatus)-1074130544) /* no Helvar_Initialize on vi (or closed) */
#define HELVAR_ERROR_ENGINE_NOT_LOADED ((ViStatus)-1074135040)       /* IVI engine library cannot be loaded */
#define HELVAR_ERROR_UNEXPECTED ((ViStatus)-1074135040)              /* any other failure without a status */
#define HELVAR_ERROR_ENGINE_INCOMPLETE ((ViStatus)-1074135031)       /* engine lacks a required function */
#define HELVAR_ERROR_OUT_OF_MEMORY ((ViStatus)-1074134954)
#define HELVAR_ERROR_INVALID_VALUE ((ViStatus)-1074135024)         /* negative size, null path or buffer */
#define HELVAR_ERROR_BUFFER_TOO_SMALL ((ViStatus)-1074100299)
#define HELVAR_ERROR_CORRUPTED_FORMAT ((ViStatus)-1074100298)
#define HELVAR_ERROR_INVALID_SCHEMA ((ViStatus)-1074100297)
#define HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER ((ViStatus)-1074100300)
#define HELVAR_ERROR_LIBRARY_OUT_OF_DATE ((ViStatus)-1074100301)
#define HELVAR_ERROR_INVALID_VERSION_FORMAT ((ViStatus)-1074100302)
#define HELVAR_ERROR_INCOMPATIBLE_SESSION_CHANNELS ((ViStatus)-1074100304)
#define HELVAR_ERROR_READING_FILE ((ViStatus)-1074135037)
#define HELVAR_ERROR_WRITING_FILE ((ViStatus)-1074135036)
/* Helvar_DescribeStatus: no explanation of the code exists (the text says so). */
#define HELVAR_WARN_UNKNOWN_STATUS ((ViStatus)1073383352)          /* 3FFA87B8 */

/* Description languages. */
#define HELVAR_LANGUAGE_DEFAULT (-1) /* the process's default (the graphical run-time's, else English) */
#define HELVAR_LANGUAGE_ENGLISH 0
#define HELVAR_LANGUAGE_FRENCH 1
#define HELVAR_LANGUAGE_GERMAN 2
#define HELVAR_LANGUAGE_JAPANESE 3
#define HELVAR_LANGUAGE_KOREAN 4
#define HELVAR_LANGUAGE_CHINESE_SIMPLIFIED 5

/* The driver-session attribute (ViAddr) that holds Helvar's session object. */
#define HELVAR_ATTR_SESSION_OBJECT 1100141
#define HELVAR_ATTR_SESSION_OBJECT_NAME "((1000000 + 100000) + 141L)"

#ifdef __cplusplus
extern "C" {
#endif

/* Attaches Helvar to the driver session: reads the language (1199999; values outside 0..5 mean
   English), the engine's simulate/range-check/cache/driver-setup settings and the model number
   (1100105) once, and registers the session object. A second call on a registered session fails
   with the engine's refusal and leaves the first object in use. */
HELVAR_API ViStatus Helvar_Initialize(ViSession vi);
/* Detaches Helvar; HELVAR_ERROR_SESSION_NOT_INITIALIZED when nothing is attached. */
HELVAR_API ViStatus Helvar_Close(ViSession vi);
HELVAR_API ViStatus Helvar_ImportAttributeConfigurationFile(ViSession vi, ViConstString filePath);
HELVAR_API ViStatus Helvar_ExportAttributeConfigurationFile(ViSession vi, ViConstString filePath);
/* Applies exactly the first size bytes of configuration. */
HELVAR_API ViStatus Helvar_ImportAttributeConfigurationBuffer(ViSession vi, ViInt32 size, ViConstString configuration);
/* size 0: returns the needed size (document and NUL) and writes nothing. A smaller buffer fails
   with HELVAR_ERROR_BUFFER_TOO_SMALL and is not written; a large enough one receives the document
   and its NUL, and the call returns 0. */
HELVAR_API ViStatus Helvar_ExportAttributeConfigurationBuffer(ViSession vi, ViInt32 size, ViChar configuration[]);
/* Checks a document as an import would, without a session: well-formed, schema, channel list,
   version string, every entry's form, and last the format version, so that
   HELVAR_ERROR_LIBRARY_OUT_OF_DATE means "written by a newer library, otherwise readable". The
   model number and the values' types need a session and are not checked. size and configuration
   as for Helvar_ImportAttributeConfigurationBuffer; a refusal is recorded for the null handle. */
HELVAR_API ViStatus Helvar_CheckAttributeConfigurationBuffer(ViInt32 size, ViConstString configuration);
/* Keeps a snapshot of the session's settings in memory / applies the last one. */
HELVAR_API ViStatus Helvar_SaveAttributes(ViSession vi);
HELVAR_API ViStatus Helvar_RestoreAttributes(ViSession vi);

/* The meaning of any status code (this library's, the driver's, the IVI engine's): the static
   description of the explanation files in language (0-5, or HELVAR_LANGUAGE_DEFAULT), English
   where that language has none, as UTF-8. Needs no session and no engine.
   bufferSize 0: returns the size needed (text and NUL) and writes nothing. A smaller buffer fails
   with HELVAR_ERROR_BUFFER_TOO_SMALL and is not written; a large enough one receives the text and
   its NUL, and the call returns 0, or HELVAR_WARN_UNKNOWN_STATUS when no explanation of the code
   exists (the text is then a sentence in that language saying so). Another language, a negative
   size, or a null buffer with a size other than 0 fail with HELVAR_ERROR_INVALID_VALUE. Failures
   are recorded against the null handle, as for Helvar_Initialize. */
HELVAR_API ViStatus Helvar_DescribeStatus(ViInt32 language, ViStatus status, ViInt32 bufferSize, ViChar description[]);

/* Hooks of the graphical run-time. */
HELVAR_API void SetGXRTModule(void* module);
HELVAR_API void SetGXRTModuleHook(void);
HELVAR_API void SetGXRTTLSIndex(ViUInt32 index);
HELVAR_API void SetGXRTTLSIndexHook(void);

#ifdef __cplusplus
}
#endif

#endif /* HELVAR_H */
