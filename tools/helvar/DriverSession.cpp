#include "DriverSession.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "common/platform/DynamicLibrary.h"

namespace helvartool {
namespace {

constexpr ViAttr kErrorElaboration = IVI_ATTR_ERROR_ELABORATION;

using InitFn = ViStatus (*)(ViConstString, ViBoolean, ViBoolean, ViConstString, ViSession*);
using CloseFn = ViStatus (*)(ViSession);
using SetInt32Fn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViInt32);
using SetInt64Fn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViInt64);
using SetReal64Fn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViReal64);
using SetBooleanFn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViBoolean);
using SetStringFn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViConstString);
using SetSessionFn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViSession);
using GetTypeFn = ViStatus (*)(ViSession, ViAttr, ViInt32*);
using GetErrorInfoFn = ViStatus (*)(ViSession, ViStatus*, ViStatus*, ViChar*);
using GetErrorMessageFn = ViStatus (*)(ViStatus, ViChar*);
using GetStringFn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32, ViChar*);
using GetInt32Fn = ViStatus (*)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32*);
using GetNumAttributesFn = ViStatus (*)(ViSession, ViInt32*);
using GetNthAttributeFn = ViStatus (*)(ViSession, ViInt32, ViAttr*);
using GetAttributeNameFn = ViStatus (*)(ViSession, ViAttr, ViInt32, ViChar*);
using DriverGetErrorFn = ViStatus (*)(ViSession, ViStatus*, ViInt32, ViChar*);

void* need(platform::LibraryHandle library, const char* name, const char* libraryName) {
    platform::OsError error;
    void* symbol = platform::dynamicLibrary().symbol(library, name, error);
    if (!symbol) throw std::runtime_error(std::string(libraryName) + " has no " + name + ": " + error.message);
    return symbol;
}

// The driver and the engine, loaded once per process and kept (like an application would).
struct Libraries {
    InitFn init;
    CloseFn close;
    SetInt32Fn setInt32;
    SetInt64Fn setInt64;
    SetReal64Fn setReal64;
    SetBooleanFn setBoolean;
    SetStringFn setString;
    SetSessionFn setSession;
    GetTypeFn getType;
    GetErrorInfoFn getErrorInfo;
    GetErrorMessageFn getErrorMessage;
    GetStringFn getString;
    GetInt32Fn getInt32;
    GetNumAttributesFn getNumAttributes;
    GetNthAttributeFn getNthAttribute;
    GetAttributeNameFn getAttributeName;
    DriverGetErrorFn driverGetError;

    static const Libraries& get() {
        static const Libraries libraries = load();
        return libraries;
    }

private:
    static Libraries load() {
        auto& loader = platform::dynamicLibrary();
        platform::OsError error;
        platform::LibraryHandle driver = loader.load("Digiscan2u.dll", error);
        if (!driver) throw std::runtime_error("cannot load the digitizer driver: " + error.message);
        // The engine Helvar binds: the vendor's name first, then the generic one.
        platform::LibraryHandle engine = loader.load("orvivi.dll", error);
        if (!engine) engine = loader.load("ivi.dll", error);
        if (!engine) throw std::runtime_error("cannot load the IVI engine: " + error.message);
        const char* d = "the driver";
        const char* e = "the IVI engine";
        return Libraries{reinterpret_cast<InitFn>(need(driver, "Digiscan_InitWithOptions", d)),
                         reinterpret_cast<CloseFn>(need(driver, "Digiscan_close", d)),
                         reinterpret_cast<SetInt32Fn>(need(driver, "Digiscan_SetAttributeViInt32", d)),
                         reinterpret_cast<SetInt64Fn>(need(driver, "Digiscan_SetAttributeViInt64", d)),
                         reinterpret_cast<SetReal64Fn>(need(driver, "Digiscan_SetAttributeViReal64", d)),
                         reinterpret_cast<SetBooleanFn>(need(driver, "Digiscan_SetAttributeViBoolean", d)),
                         reinterpret_cast<SetStringFn>(need(driver, "Digiscan_SetAttributeViString", d)),
                         reinterpret_cast<SetSessionFn>(need(driver, "Digiscan_SetAttributeViSession", d)),
                         reinterpret_cast<GetTypeFn>(need(engine, "Ivi_GetAttributeType", e)),
                         reinterpret_cast<GetErrorInfoFn>(need(engine, "Ivi_GetErrorInfo", e)),
                         reinterpret_cast<GetErrorMessageFn>(need(engine, "Ivi_GetErrorMessage", e)),
                         reinterpret_cast<GetStringFn>(need(engine, "Ivi_GetAttributeViString", e)),
                         reinterpret_cast<GetInt32Fn>(need(engine, "Ivi_GetAttributeViInt32", e)),
                         reinterpret_cast<GetNumAttributesFn>(need(engine, "Ivi_GetNumAttributes", e)),
                         reinterpret_cast<GetNthAttributeFn>(need(engine, "Ivi_GetNthAttribute", e)),
                         reinterpret_cast<GetAttributeNameFn>(need(engine, "Ivi_GetAttributeName", e)),
                         reinterpret_cast<DriverGetErrorFn>(need(driver, "Digiscan_GetError", d))};
    }
};

bool parseInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0';
}

}  // namespace

DriverSession::DriverSession(const std::string& resource, const std::string& optionString) {
    const Libraries& libraries = Libraries::get();
    const ViStatus status = libraries.init(resource.c_str(), VI_FALSE, VI_FALSE, optionString.c_str(), &vi_);
    if (status < 0) {
        throw std::runtime_error("the driver refused to open a session on \"" + resource + "\" (status " +
                                 std::to_string(status) + ": " + engineMessage(status) + ")");
    }
}

DriverSession::~DriverSession() {
    if (vi_) Libraries::get().close(vi_);
}

ViStatus DriverSession::set(const std::string& assignment, std::string& problem) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos) {
        problem = "expected [CHANNEL/]ID=VALUE, got \"" + assignment + "\"";
        return -1;
    }
    std::string target = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    std::string channel;
    if (const auto slash = target.find('/'); slash != std::string::npos) {
        channel = target.substr(0, slash);
        target = target.substr(slash + 1);
    }
    ViAttr attribute = 0;
    if (!attributeOf(target, attribute, problem)) return -1;
    const Libraries& l = Libraries::get();
    ViInt32 type = 0;
    if (const ViStatus status = l.getType(vi_, attribute, &type); status < 0) {
        problem = "attribute " + target + " is unknown to the session";
        return status;
    }
    const char* ch = channel.c_str();
    long long integer = 0;
    switch (type) {
        case IVI_VAL_INT32:
        case IVI_VAL_INT64:
        case IVI_VAL_BOOLEAN:
        case IVI_VAL_SESSION:
            if (!parseInteger(value, integer)) {
                problem = "\"" + value + "\" is not an integer";
                return -1;
            }
            if (type == IVI_VAL_INT32) return l.setInt32(vi_, ch, attribute, static_cast<ViInt32>(integer));
            if (type == IVI_VAL_INT64) return l.setInt64(vi_, ch, attribute, static_cast<ViInt64>(integer));
            if (type == IVI_VAL_BOOLEAN) return l.setBoolean(vi_, ch, attribute, integer ? VI_TRUE : VI_FALSE);
            return l.setSession(vi_, ch, attribute, static_cast<ViSession>(integer));
        case IVI_VAL_REAL64: {
            char* end = nullptr;
            const double real = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0') {
                problem = "\"" + value + "\" is not a number";
                return -1;
            }
            return l.setReal64(vi_, ch, attribute, real);
        }
        case IVI_VAL_STRING:
            return l.setString(vi_, ch, attribute, value.c_str());
        default:
            problem = "attribute " + target + " has a type that cannot be set from the command line";
            return -1;
    }
}

bool DriverSession::attributeOf(const std::string& target, ViAttr& id, std::string& problem) const {
    long long number = 0;
    if (parseInteger(target, number)) {
        if (number > 0 && number <= 0xFFFFFFFFll) {
            id = static_cast<ViAttr>(number);
            return true;
        }
        problem = "\"" + target + "\" is not an attribute id";
        return false;
    }
    const Libraries& l = Libraries::get();
    ViInt32 count = 0;
    if (l.getNumAttributes(vi_, &count) >= 0) {
        for (ViInt32 index = 1; index <= count; ++index) {
            ViAttr candidate = 0;
            if (l.getNthAttribute(vi_, index, &candidate) >= 0 && attributeName(candidate) == target) {
                id = candidate;
                return true;
            }
        }
    }
    problem = "the session has no attribute named \"" + target + "\"";
    return false;
}

std::string DriverSession::attributeName(ViAttr id) const {
    const Libraries& l = Libraries::get();
    // A positive answer is the size needed, NUL included.
    std::vector<ViChar> name(64, '\0');
    ViStatus status = l.getAttributeName(vi_, id, static_cast<ViInt32>(name.size()), name.data());
    if (status > 0) {
        name.assign(static_cast<size_t>(status), '\0');
        status = l.getAttributeName(vi_, id, static_cast<ViInt32>(name.size()), name.data());
    }
    return status == 0 ? std::string(name.data()) : std::string();
}

int32_t DriverSession::language(ViSession vi) {
    // The driver's language attribute, as Helvar reads it; out of range and failures are English.
    constexpr ViAttr kLanguageAttribute = 1199999;
    ViInt32 value = 0;
    if (vi == 0 || Libraries::get().getInt32(vi, "", kLanguageAttribute, 0, &value) < 0) return 0;
    return value >= 0 && value <= 5 ? value : 0;
}

PendingError DriverSession::takePendingError(ViSession vi) {
    const Libraries& l = Libraries::get();
    PendingError pending;
    // The error-info call gives at most 255 characters; a session's elaboration attribute gives all.
    std::string full;
    if (vi != 0) {
        const ViInt32 needed = l.getString(vi, "", kErrorElaboration, 0, 0, nullptr);
        if (needed > 0) {
            std::vector<ViChar> text(static_cast<size_t>(needed), '\0');
            if (l.getString(vi, "", kErrorElaboration, 0, needed, text.data()) >= 0) full = text.data();
        }
    }
    std::vector<ViChar> elaboration(256, '\0');
    if (l.getErrorInfo(vi, &pending.primary, &pending.secondary, elaboration.data()) >= 0) {
        elaboration.back() = '\0';
        pending.elaboration = full.size() > std::string(elaboration.data()).size() ? full : elaboration.data();
    }
    return pending;
}

PendingError DriverSession::takeDriverError(ViSession vi) {
    const Libraries& l = Libraries::get();
    PendingError pending;
    const ViStatus needed = l.driverGetError(vi, &pending.primary, 0, nullptr);
    if (needed <= 0) return pending;
    std::vector<ViChar> text(static_cast<size_t>(needed), '\0');
    if (l.driverGetError(vi, &pending.primary, needed, text.data()) >= 0) pending.elaboration = text.data();
    return pending;
}

std::string DriverSession::engineMessage(ViStatus code) {
    ViChar message[256] = {};
    if (Libraries::get().getErrorMessage(code, message) < 0) return "";
    message[255] = '\0';
    return message;
}

}  // namespace helvartool
