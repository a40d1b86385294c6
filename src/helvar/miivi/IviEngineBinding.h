#pragma once
// The IVI engine library, loaded on first use and never unloaded. Every forwarder first makes
// sure the engine is loaded; a failed load turns into the status every forwarder returns (the
// value-returning ones return their documented defaults instead).
#include <atomic>
#include <cstdint>
#include <mutex>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/NamedMutex.h"
#include "helvar/miivi/IviEngineApi.h"
#include "helvar/miivi/IviEngineFunctions.h"

namespace miivi {

class IviEngineBinding {
public:
    IviEngineBinding(platform::DynamicLibraryInterface& libraries, platform::NamedMutexFactoryInterface& mutexes,
                     uint32_t processId);
    IviEngineBinding(const IviEngineBinding&) = delete;
    IviEngineBinding& operator=(const IviEngineBinding&) = delete;

    // The process's binding (the real library loader, this process's named mutex).
    static IviEngineBinding& instance();

    // 0 when the engine is (now) loaded, else the load failure's status. Safe from any thread.
    ViStatus load();
    bool isLoaded() const { return loaded_.load(std::memory_order_acquire); }
    // Null when not loaded or when the engine lacks the function.
    void* entry(EngineFunction function) const;

    ViStatus Ivi_LockSession(ViSession vi, ViBoolean* callerHasLock);
    ViStatus Ivi_UnlockSession(ViSession vi, ViBoolean* callerHasLock);
    ViBoolean Ivi_SessionIsAvailable(ViSession vi);
    ViBoolean Ivi_AttributeIsAvailable(ViSession vi, ViAttr attributeId);
    ViStatus Ivi_ValidateAttrForRepCapName(ViSession vi, ViConstString repCapName, ViAttr attributeId);
    ViStatus Ivi_GetNthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 index, ViConstString* name);
    ViStatus Ivi_GetAttributeRepCapName(ViSession vi, ViAttr attributeId, ViConstString* repCapName);
    ViStatus Ivi_DeleteAttribute(ViSession vi, ViAttr attributeId);
    ViStatus Ivi_AddAttributeViAddr(ViSession vi, ViAttr id, ViConstString name, ViAddr defaultValue,
                                    IviAttrFlags flags, ReadAttrViAddr_CallbackPtr read,
                                    WriteAttrViAddr_CallbackPtr write);
    ViStatus Ivi_SetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViInt32 value);
    ViStatus Ivi_SetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViInt64 value);
    ViStatus Ivi_SetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViReal64 value);
    ViStatus Ivi_SetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                      ViConstString value);
    ViStatus Ivi_SetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                       ViBoolean value);
    ViStatus Ivi_SetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                       ViSession value);
    ViStatus Ivi_SetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViAddr value);
    ViStatus Ivi_GetAttributeViInt32(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViInt32* value);
    ViStatus Ivi_GetAttributeViInt64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViInt64* value);
    ViStatus Ivi_GetAttributeViReal64(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                      ViReal64* value);
    ViStatus Ivi_GetAttributeViString(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                      ViInt32 bufferSize, ViChar value[]);
    ViStatus Ivi_GetAttributeViBoolean(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                       ViBoolean* value);
    ViStatus Ivi_GetAttributeViSession(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags,
                                       ViSession* value);
    ViStatus Ivi_GetAttributeViAddr(ViSession vi, ViConstString channel, ViAttr id, ViInt32 flags, ViAddr* value);
    ViStatus Ivi_GetNumAttributes(ViSession vi, ViInt32* count);
    ViStatus Ivi_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr* attributeId);
    ViStatus Ivi_GetAttributeFlags(ViSession vi, ViAttr attributeId, IviAttrFlags* flags);
    ViStatus Ivi_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32* dataType);
    ViStatus Ivi_GetAttributeName(ViSession vi, ViAttr attributeId, ViInt32 bufferSize, ViChar name[]);
    ViBoolean Ivi_AttributeWasSetByUser(ViSession vi, ViConstString channel, ViAttr attributeId);
    ViStatus Ivi_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primary, ViStatus secondary,
                              ViConstString elaboration);
    ViStatus Ivi_GetErrorInfo(ViSession vi, ViStatus* primary, ViStatus* secondary, ViChar elaboration[256]);
    ViStatus Ivi_ClearErrorInfo(ViSession vi);
    // With the engine not loadable, still describes the load failure itself.
    ViStatus Ivi_GetErrorMessage(ViStatus code, ViChar message[256]);
    ViStatus Ivi_ParamPositionError(ViInt32 position);

    // Value-returning queries: 0 while the engine cannot be loaded.
    ViBoolean Ivi_NeedToCheckStatus(ViSession vi);
    ViSession Ivi_IOSession(ViSession vi);
    ViBoolean Ivi_RangeChecking(ViSession vi);
    ViBoolean Ivi_QueryInstrStatus(ViSession vi);
    ViBoolean Ivi_Simulating(ViSession vi);
    ViBoolean Ivi_UseSpecificSimulation(ViSession vi);
    ViBoolean Ivi_Spying(ViSession vi);
    ViBoolean Ivi_InterchangeCheck(ViSession vi);
    ViBoolean Ivi_AttributeEverSetByUser(ViSession vi, ViConstString channel, ViAttr attributeId);
    // The load failure's status while not loadable; 0 when the engine lacks it.
    ViSession Ivi_SpecificDriverSession(ViSession vi);

private:
    template <class Function, class... Args>
    ViStatus forwardStatus(EngineFunction function, Args... args);
    template <class Function, class Result, class... Args>
    Result forwardValue(EngineFunction function, Result whenNotLoaded, Result whenMissing, Args... args);

    ViStatus loadUnderMutex();

    platform::DynamicLibraryInterface& libraries_;
    platform::NamedMutexFactoryInterface& mutexes_;
    uint32_t processId_;
    // Orders this module's threads in the language's own terms; the named mutex orders modules.
    std::mutex moduleMutex_;
    std::atomic<bool> loaded_{false};
    platform::LibraryHandle library_ = nullptr;
    void* entries_[kEngineFunctionCount] = {};
};

}  // namespace miivi
