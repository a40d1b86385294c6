#include "helvar/orvdynlib/DynLib.h"

#include "common/orverr/InternalError.h"
#include "common/orverr/JsonCursor.h"
#include "common/orverr/Raise.h"

namespace orvdynlib {

namespace {

constexpr const char* kDebugMember = "orvdynlib_debug";
constexpr const char* kDebugText = "failed to orvdynlib_load library";

// "orvdynlib_debug": {"debug": ..., <detailName>: <detail>} and the system's own error.
void describeFailure(orverr::Raise& raise, const char* detailName, const char* detail,
                     const platform::OsError& error) {
    if (!raise.installed()) return;
    orverr::JsonCursor debug = orverr::beginObject(raise.topLevel(), kDebugMember);
    debug = orverr::addString(debug, "debug", kDebugText);
    orverr::addString(debug, detailName, detail);
    orverr::addInternalError(raise, orverr::internal_error::kApiSystem, error);
}

}  // namespace

LibraryHandle load(platform::DynamicLibraryInterface& backend, const char* path, orverr::Status& status) {
    if (status.code < 0) return nullptr;
    platform::OsError error;
    LibraryHandle library = path ? backend.load(path, error) : nullptr;
    if (!library) {
        if (!path) error.message = "no library name";
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter);
        describeFailure(raise, "path", path ? path : "", error);
    }
    return library;
}

void* symbol(platform::DynamicLibraryInterface& backend, LibraryHandle library, const char* name,
             orverr::Status& status) {
    if (status.code < 0) return nullptr;
    platform::OsError error;
    void* address = library && name ? backend.symbol(library, name, error) : nullptr;
    if (!address) {
        if (!library || !name) error.message = "no library or no symbol name";
        orverr::Raise raise = ORVERR_RAISE_INTO(status, orverr::codes::kInvalidParameter);
        describeFailure(raise, "orvdynlib_symbol", name ? name : "", error);
    }
    return address;
}

void unload(platform::DynamicLibraryInterface& backend, LibraryHandle library) {
    if (library) backend.unload(library);
}

LibraryHandle load(const char* path, orverr::Status& status) { return load(platform::dynamicLibrary(), path, status); }

void* symbol(LibraryHandle library, const char* name, orverr::Status& status) {
    return symbol(platform::dynamicLibrary(), library, name, status);
}

void unload(LibraryHandle library) { unload(platform::dynamicLibrary(), library); }

}  // namespace orvdynlib
