#include "helvar/miivi/IviEngineBinding.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/orverr/Codes.h"
#include "common/platform/ProcessId.h"

namespace miivi {

namespace {

// One mutex per process, shared with every module of the process that binds the engine this way.
constexpr const char* kMutexNameFormat = "Orvane Quillmere IVI Engine Library %d";
// Tried in this order.
constexpr const char* kEngineLibraries[] = {"orvivi.dll", "ivi.dll"};

std::string mutexName(uint32_t processId) {
    char name[64];
    std::snprintf(name, sizeof name, kMutexNameFormat, static_cast<int>(processId));
    return name;
}

template <class Function>
Function as(void* address) {
    return reinterpret_cast<Function>(address);
}

}  // namespace

IviEngineBinding::IviEngineBinding(platform::DynamicLibraryInterface& libraries,
                                   platform::NamedMutexFactoryInterface& mutexes, uint32_t processId)
    : libraries_(libraries), mutexes_(mutexes), processId_(processId) {}

IviEngineBinding& IviEngineBinding::instance() {
    static IviEngineBinding binding(platform::dynamicLibrary(), platform::namedMutexFactory(),
                                    platform::currentProcessId());
    return binding;
}

ViStatus IviEngineBinding::load() {
    if (isLoaded()) return VI_SUCCESS;
    std::lock_guard<std::mutex> moduleLock(moduleMutex_);
    std::unique_ptr<platform::NamedMutexInterface> mutex = mutexes_.open(mutexName(processId_));
    if (!mutex) return orverr::engine::kLoadFailed;
    if (!mutex->lock()) return orverr::engine::kLoadFailed;
    const ViStatus status = isLoaded() ? VI_SUCCESS : loadUnderMutex();
    mutex->unlock();
    return status;
}

ViStatus IviEngineBinding::loadUnderMutex() {
    platform::OsError error;
    for (const char* name : kEngineLibraries) {
        library_ = libraries_.load(name, error);
        if (library_) break;
    }
    if (!library_) return orverr::engine::kLoadFailed;

    for (std::size_t i = 0; i < kEngineFunctionCount; ++i) {
        entries_[i] = libraries_.symbol(library_, kEngineFunctions[i].name, error);
        if (!entries_[i] && kEngineFunctions[i].required) {
            libraries_.unload(library_);
            library_ = nullptr;
            std::memset(entries_, 0, sizeof entries_);
            return orverr::engine::kFunctionMissing;
        }
    }
    loaded_.store(true, std::memory_order_release);
    return VI_SUCCESS;
}

void* IviEngineBinding::entry(EngineFunction function) const {
    return isLoaded() ? entries_[static_cast<std::size_t>(function)] : nullptr;
}

template <class Function, class... Args>
ViStatus IviEngineBinding::forwardStatus(EngineFunction function, Args... args) {
    const ViStatus status = load();
    if (status < 0) return status;
    void* address = entries_[static_cast<std::size_t>(function)];
    if (!address) return orverr::engine::kFunctionMissing;  // only optional ones can be absent
    return as<Function>(address)(args...);
}

template <class Function, class Result, class... Args>
Result IviEngineBinding::forwardValue(EngineFunction function, Result whenNotLoaded, Result whenMissing,
                                      Args... args) {
    if (load() < 0) return whenNotLoaded;
    void* address = entries_[static_cast<std::size_t>(function)];
    if (!address) return whenMissing;
    return as<Function>(address)(args...);
}

#define ORV_FORWARD(name, ...) forwardStatus<api::name>(EngineFunction::Ivi_##name, __VA_ARGS__)

ViStatus IviEngineBinding::Ivi_LockSession(ViSession vi, ViBoolean* callerHasLock) {
    return ORV_FORWARD(LockSession, vi, callerHasLock);
}
ViStatus IviEngineBinding::Ivi_UnlockSession(ViSession vi, ViBoolean* callerHasLock) {
    return ORV_FORWARD(UnlockSession, vi, callerHasLock);
}
// An engine without the availability queries is taken to have what is asked for.
ViBoolean IviEngineBinding::Ivi_SessionIsAvailable(ViSession vi) {
    return forwardValue<api::SessionIsAvailable, ViBoolean>(EngineFunction::Ivi_SessionIsAvailable, VI_FALSE,
                                                            VI_TRUE, vi);
}
ViBoolean IviEngineBinding::Ivi_AttributeIsAvailable(ViSession vi, ViAttr attributeId) {
    return forwardValue<api::AttributeIsAvailable, ViBoolean>(EngineFunction::Ivi_AttributeIsAvailable, VI_FALSE,
                                                              VI_TRUE, vi, attributeId);
}
ViStatus IviEngineBinding::Ivi_ValidateAttrForRepCapName(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
    return ORV_FORWARD(ValidateAttrForRepCapName, vi, repCapName, attributeId);
}
ViStatus IviEngineBinding::Ivi_GetNthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 index,
                                                ViConstString* name) {
    return ORV_FORWARD(GetNthRepCapName, vi, repCapName, index, name);
}
ViStatus IviEngineBinding::Ivi_GetAttributeRepCapName(ViSession vi, ViAttr attributeId, ViConstString* repCapName) {
    return ORV_FORWARD(GetAttributeRepCapName, vi, attributeId, repCapName);
}
ViStatus IviEngineBinding::Ivi_DeleteAttribute(ViSession vi, ViAttr attributeId) {
    return ORV_FORWARD(DeleteAttribute, vi, attributeId);
}
ViStatus IviEngineBinding::Ivi_AddAttributeViAddr(ViSession vi, ViAttr id, ViConstString name, ViAddr defaultValue,
                                                  IviAttrFlags flags, ReadAttrViAddr_CallbackPtr read,
                                                  WriteAttrViAddr_CallbackPtr write) {
    return ORV_FORWARD(AddAttributeViAddr, vi, id, name, defaultValue, flags, read, write);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                   ViInt32 value) {
    return ORV_FORWARD(SetAttributeViInt32, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                   ViInt64 value) {
    return ORV_FORWARD(SetAttributeViInt64, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                    ViReal64 value) {
    return ORV_FORWARD(SetAttributeViReal64, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                    ViConstString value) {
    return ORV_FORWARD(SetAttributeViString, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                     ViBoolean value) {
    return ORV_FORWARD(SetAttributeViBoolean, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                     ViSession value) {
    return ORV_FORWARD(SetAttributeViSession, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_SetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                  ViAddr value) {
    return ORV_FORWARD(SetAttributeViAddr, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                   ViInt32* value) {
    return ORV_FORWARD(GetAttributeViInt32, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                   ViInt64* value) {
    return ORV_FORWARD(GetAttributeViInt64, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                    ViReal64* value) {
    return ORV_FORWARD(GetAttributeViReal64, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                    ViInt32 bufferSize, ViChar value[]) {
    return ORV_FORWARD(GetAttributeViString, vi, channel, id, flags, bufferSize, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                     ViBoolean* value) {
    return ORV_FORWARD(GetAttributeViBoolean, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                     ViSession* value) {
    return ORV_FORWARD(GetAttributeViSession, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                                  ViAddr* value) {
    return ORV_FORWARD(GetAttributeViAddr, vi, channel, id, flags, value);
}
ViStatus IviEngineBinding::Ivi_GetNumAttributes(ViSession vi, ViInt32* count) {
    return ORV_FORWARD(GetNumAttributes, vi, count);
}
ViStatus IviEngineBinding::Ivi_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr* attributeId) {
    return ORV_FORWARD(GetNthAttribute, vi, index, attributeId);
}
ViStatus IviEngineBinding::Ivi_GetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags* flags) {
    return ORV_FORWARD(GetAttributeFlags, vi, attributeId, flags);
}
ViStatus IviEngineBinding::Ivi_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32* dataType) {
    return ORV_FORWARD(GetAttributeType, vi, attributeId, dataType);
}
ViStatus IviEngineBinding::Ivi_GetAttributeName(ViSession vi, ViAttr attributeId, ViInt32 bufferSize, ViChar name[]) {
    return ORV_FORWARD(GetAttributeName, vi, attributeId, bufferSize, name);
}
ViBoolean IviEngineBinding::Ivi_AttributeWasSetByUser(ViSession vi, ViConstString channel, ViAttr attributeId) {
    return forwardValue<api::AttributeWasSetByUser, ViBoolean>(EngineFunction::Ivi_AttributeWasSetByUser, VI_FALSE,
                                                               VI_FALSE, vi, channel, attributeId);
}
ViStatus IviEngineBinding::Ivi_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primary, ViStatus secondary,
                                            ViConstString elaboration) {
    return ORV_FORWARD(SetErrorInfo, vi, overwrite, primary, secondary, elaboration);
}
ViStatus IviEngineBinding::Ivi_GetErrorInfo(ViSession vi, ViStatus* primary, ViStatus* secondary,
                                            ViChar elaboration[256]) {
    return ORV_FORWARD(GetErrorInfo, vi, primary, secondary, elaboration);
}
ViStatus IviEngineBinding::Ivi_ClearErrorInfo(ViSession vi) { return ORV_FORWARD(ClearErrorInfo, vi); }

ViStatus IviEngineBinding::Ivi_GetErrorMessage(ViStatus code, ViChar message[256]) {
    const ViStatus status = load();
    if (status < 0) {
        if (code != orverr::engine::kLoadFailed) return status;
        if (message) {
            std::strncpy(message, orverr::engine::kLoadFailedMessage, 255);
            message[255] = '\0';
        }
        return VI_SUCCESS;
    }
    return ORV_FORWARD(GetErrorMessage, code, message);
}

ViStatus IviEngineBinding::Ivi_ParamPositionError(ViInt32 position) {
    return ORV_FORWARD(ParamPositionError, position);
}

#undef ORV_FORWARD

#define ORV_FORWARD_FLAG(name)                                                                          \
    ViBoolean IviEngineBinding::Ivi_##name(ViSession vi) {                                              \
        return forwardValue<api::SessionFlagQuery, ViBoolean>(EngineFunction::Ivi_##name, VI_FALSE, VI_FALSE, vi); \
    }
ORV_FORWARD_FLAG(NeedToCheckStatus)
ORV_FORWARD_FLAG(RangeChecking)
ORV_FORWARD_FLAG(QueryInstrStatus)
ORV_FORWARD_FLAG(Simulating)
ORV_FORWARD_FLAG(UseSpecificSimulation)
ORV_FORWARD_FLAG(Spying)
ORV_FORWARD_FLAG(InterchangeCheck)
#undef ORV_FORWARD_FLAG

ViSession IviEngineBinding::Ivi_IOSession(ViSession vi) {
    return forwardValue<api::SessionHandleQuery, ViSession>(EngineFunction::Ivi_IOSession, 0, 0, vi);
}

ViBoolean IviEngineBinding::Ivi_AttributeEverSetByUser(ViSession vi, ViConstString channel, ViAttr attributeId) {
    return forwardValue<api::AttributeEverSetByUser, ViBoolean>(EngineFunction::Ivi_AttributeEverSetByUser, VI_FALSE,
                                                                VI_FALSE, vi, channel, attributeId);
}

ViSession IviEngineBinding::Ivi_SpecificDriverSession(ViSession vi) {
    const ViStatus status = load();
    if (status < 0) return static_cast<ViSession>(status);
    return forwardValue<api::SessionHandleQuery, ViSession>(EngineFunction::Ivi_SpecificDriverSession, 0, 0, vi);
}

}  // namespace miivi
