// The exported entry points: each catches every failure at its boundary, records it in the IVI
// engine and returns its status.
#define HELVAR_BUILDING 1  // exports rather than imports the declarations
#include "Helvar.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "helvar/impexp/CallerBuffer.h"
#include "helvar/impexp/DocumentCheck.h"
#include "helvar/impexp/GetDesiredAttributeHelper.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/ImportExportSession.h"
#include "helvar/impexp/ImportExportSessionSettings.h"
#include "helvar/miivi/IviWrapper.h"
#include "helvar/miivi/LanguageAccessor.h"
#include "helvar/miivi/MxlWrapper.h"
#include "helvar/miivi/ReportToSession.h"
#include "helvar/miivi/SessionLockGuard.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlator/StatusMeaning.h"

// The public header repeats the codes callers test; keep it in step with the code table.
static_assert(HELVAR_ERROR_SESSION_NOT_INITIALIZED == orverr::codes::kSessionNotRegistered.code, "");
static_assert(HELVAR_ERROR_ENGINE_NOT_LOADED == orverr::engine::kLoadFailed, "");
static_assert(HELVAR_ERROR_UNEXPECTED == orverr::codes::kUnexpectedFailure.code, "");
static_assert(HELVAR_ERROR_ENGINE_INCOMPLETE == orverr::engine::kFunctionMissing, "");
static_assert(HELVAR_ERROR_OUT_OF_MEMORY == orverr::codes::kErrOutOfMemory.code, "");
static_assert(HELVAR_ERROR_INVALID_VALUE == orverr::codes::kInvalidValue.code, "");
static_assert(HELVAR_ERROR_BUFFER_TOO_SMALL == orverr::codes::kBufferTooSmall.code, "");
static_assert(HELVAR_ERROR_CORRUPTED_FORMAT == orverr::codes::kCorruptedFormat.code, "");
static_assert(HELVAR_ERROR_INVALID_SCHEMA == orverr::codes::kInvalidSchema.code, "");
static_assert(HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER == orverr::codes::kIncompatibleModelNumber.code, "");
static_assert(HELVAR_ERROR_LIBRARY_OUT_OF_DATE == orverr::codes::kLibraryOutOfDate.code, "");
static_assert(HELVAR_ERROR_INVALID_VERSION_FORMAT == orverr::codes::kInvalidVersionFormat.code, "");
static_assert(HELVAR_ERROR_INCOMPATIBLE_SESSION_CHANNELS == orverr::codes::kIncompatibleSessionChannels.code, "");
static_assert(HELVAR_ERROR_READING_FILE == orverr::codes::kErrReadingFile.code, "");
static_assert(HELVAR_ERROR_WRITING_FILE == orverr::codes::kErrWritingFile.code, "");
static_assert(HELVAR_WARN_UNKNOWN_STATUS == orverr::codes::kUnknownStatusCode.code, "");
static_assert(HELVAR_LANGUAGE_DEFAULT == -1, "");
static_assert(HELVAR_ATTR_SESSION_OBJECT == impexp_auxTemplate::SessionAttributeDefinition::kAttributeId, "");

namespace {

using impexp_auxTemplate::ImportExportSession;

// Inside a catch handler: records the failure in flight against handle. Never throws, and never
// leaves a caught failure looking like success.
void reportFailure(orverr::Status& status, ViSession handle) noexcept {
    try {
        miivi::IviWrapper wrapper(handle);
        miivi::MxlWrapper translator;
        const uint32_t language = miivi::languageAccessor().getLanguage(wrapper);
        miivi::reportToSession(status, wrapper, translator, language);
    } catch (...) {
    }
    if (status.code >= 0) orverr::setCode(status, orverr::codes::kUnexpectedFailure.code);
}

void reportNonStandardFailure(orverr::Status& status, ViSession handle) noexcept {
    try {
        miivi::IviWrapper wrapper(handle);
        miivi::reportUnknownFailure(status, wrapper);
    } catch (...) {
    }
    if (status.code >= 0) orverr::setCode(status, orverr::codes::kUnexpectedFailure.code);
}

// Failures are reported against the null handle.
template <class Work>
ViStatus runWithoutLock(Work&& work) noexcept {
    orverr::Status status;
    ViStatus result = VI_SUCCESS;
    try {
        result = work();
    } catch (const std::exception&) {
        reportFailure(status, VI_NULL);
    } catch (...) {
        reportNonStandardFailure(status, VI_NULL);
    }
    return status.code < 0 ? status.code : result;
}

// Lock, look up, run, unlock. A refused lock is reported against the null handle, everything
// after it against vi.
template <class Operation>
ViStatus runSessionOperation(ViSession vi, Operation&& operation) noexcept {
    orverr::Status status;
    ViSession reportHandle = VI_NULL;
    ViStatus result = VI_SUCCESS;
    try {
        miivi::IviWrapper wrapper(vi);
        wrapper.Ivi_LockSession(nullptr);
        miivi::SessionLockGuard unlock(wrapper);
        reportHandle = vi;
        result = operation(ImportExportSession::lookup(wrapper));
    } catch (const std::exception&) {
        reportFailure(status, reportHandle);
    } catch (...) {
        reportNonStandardFailure(status, reportHandle);
    }
    return status.code < 0 ? status.code : result;
}

// A negative size or a null path is refused before anything is opened, copied or parsed (see
// Helvar.h); a null buffer with a non-zero size is refused by the import/export engine.
const char* pathArgument(ViConstString path) {
    if (!path) ORVERR_THROW(orverr::codes::kInvalidValue).comment(impexp::message::kNullPath).raise();
    return path;
}

uint32_t sizeArgument(ViInt32 size) {
    if (size < 0) ORVERR_THROW(orverr::codes::kInvalidValue).comment(impexp::message::kNegativeSize).raise();
    return static_cast<uint32_t>(size);
}

// A description language, or the process's default one (the graphical run-time's, else English).
uint32_t languageArgument(ViInt32 language) {
    if (language == HELVAR_LANGUAGE_DEFAULT) {
        miivi::IviWrapper nullHandle(VI_NULL);
        return miivi::languageAccessor().getLanguage(nullHandle);
    }
    if (language < 0 || !orvxlator::findLanguage(static_cast<uint32_t>(language)))
        ORVERR_THROW(orverr::codes::kInvalidValue).usageInt32(impexp::usage::kInvalidValue, language).raise();
    return static_cast<uint32_t>(language);
}

}  // namespace

extern "C" {

ViStatus Helvar_Initialize(ViSession vi) {
    return runWithoutLock([vi]() -> ViStatus {
        std::unique_ptr<miivi::IviWrapperInterface> wrapper(miivi::IviWrapperFactory().create(vi));
        std::unique_ptr<impexp::GetAttributeHelperInterface> reader =
            std::make_unique<impexp::GetDesiredAttributeHelper>();
        const int32_t language = impexp_auxTemplate::readLanguage(*wrapper);
        const std::string optionString = impexp_auxTemplate::readOptionString(*wrapper);
        const int32_t modelNumber = impexp_auxTemplate::readModelNumber(*wrapper);
        ImportExportSession::open(std::move(wrapper), std::move(reader), language, std::string(), optionString,
                                  modelNumber);
        return VI_SUCCESS;
    });
}

ViStatus Helvar_Close(ViSession vi) {
    return runWithoutLock([vi]() -> ViStatus {
        miivi::IviWrapper wrapper(vi);
        ImportExportSession::close(wrapper);
        return VI_SUCCESS;
    });
}

ViStatus Helvar_ImportAttributeConfigurationFile(ViSession vi, ViConstString filePath) {
    return runSessionOperation(vi, [filePath](ImportExportSession& session) -> ViStatus {
        session.importerExporter().importFile(pathArgument(filePath));
        return VI_SUCCESS;
    });
}

ViStatus Helvar_ExportAttributeConfigurationFile(ViSession vi, ViConstString filePath) {
    return runSessionOperation(vi, [filePath](ImportExportSession& session) -> ViStatus {
        session.importerExporter().exportFile(pathArgument(filePath));
        return VI_SUCCESS;
    });
}

ViStatus Helvar_ImportAttributeConfigurationBuffer(ViSession vi, ViInt32 size, ViConstString configuration) {
    return runSessionOperation(vi, [size, configuration](ImportExportSession& session) -> ViStatus {
        session.importerExporter().importBuffer(sizeArgument(size), configuration);
        return VI_SUCCESS;
    });
}

ViStatus Helvar_ExportAttributeConfigurationBuffer(ViSession vi, ViInt32 size, ViChar configuration[]) {
    return runSessionOperation(vi, [size, configuration](ImportExportSession& session) -> ViStatus {
        return static_cast<ViStatus>(session.importerExporter().exportBuffer(sizeArgument(size), configuration));
    });
}

ViStatus Helvar_CheckAttributeConfigurationBuffer(ViInt32 size, ViConstString configuration) {
    return runWithoutLock([size, configuration]() -> ViStatus {
        impexp::checkDocumentWithoutSession(sizeArgument(size), configuration);
        return VI_SUCCESS;
    });
}

ViStatus Helvar_SaveAttributes(ViSession vi) {
    return runSessionOperation(vi, [](ImportExportSession& session) -> ViStatus {
        session.saverRestorer().save();
        return VI_SUCCESS;
    });
}

ViStatus Helvar_RestoreAttributes(ViSession vi) {
    return runSessionOperation(vi, [](ImportExportSession& session) -> ViStatus {
        session.saverRestorer().restore();
        return VI_SUCCESS;
    });
}

ViStatus Helvar_DescribeStatus(ViInt32 language, ViStatus status, ViInt32 bufferSize, ViChar description[]) {
    return runWithoutLock([=]() -> ViStatus {
        const uint32_t chosen = languageArgument(language);
        const uint32_t size = sizeArgument(bufferSize);
        if (size != 0 && !description)
            ORVERR_THROW(orverr::codes::kInvalidValue).comment(impexp::message::kNullBuffer).raise();
        std::string text;
        const bool known = orvxlator::describeStatusCode(status, chosen, text, orverr::ThrowOnErrorStatus());
        const uint32_t needed = impexp::copyToCallerBuffer(text, size, description);
        if (size == 0) return static_cast<ViStatus>(needed);
        return known ? VI_SUCCESS : HELVAR_WARN_UNKNOWN_STATUS;
    });
}

}  // extern "C"
