#include "Engine.h"

#include <type_traits>

#include "InherentAttributes.h"
#include "OptionString.h"

namespace simivi {

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

bool isUserCall(ViInt32 optionFlags) { return (optionFlags & IVI_VAL_DIRECT_USER_CALL) != 0; }

}  // namespace

Engine& Engine::instance() {
    // Never destroyed: other libraries may call in while the process exits.
    static Engine* engine = new Engine;
    return *engine;
}

ViStatus Engine::createSession(ViConstString optionString, ViSession* vi) {
    if (!vi) return IVI_ERROR_NULL_POINTER;
    InherentOptions options;
    const ViStatus status = parseOptionString(optionString, options);
    if (status < 0) return status;

    auto session = std::make_unique<Session>();
    addInherentAttributes(*session, options);

    Guard guard(mutex_);
    do {
        ++lastHandle_;
    } while (lastHandle_ == 0 || sessions_.count(lastHandle_));
    sessions_.emplace(lastHandle_, std::move(session));
    *vi = lastHandle_;
    return VI_SUCCESS;
}

ViStatus Engine::destroySession(ViSession vi) {
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    it->second->lock()->close();
    sessions_.erase(it);
    errors_.clear(vi);
    return VI_SUCCESS;
}

bool Engine::isSession(ViSession vi) {
    Guard guard(mutex_);
    return sessions_.count(vi) != 0;
}

ViInt32 Engine::sessionCount() {
    Guard guard(mutex_);
    return static_cast<ViInt32>(sessions_.size());
}

void Engine::reset() {
    Guard guard(mutex_);
    for (auto& entry : sessions_) entry.second->lock()->close();
    sessions_.clear();
    errors_.clearAll();
    injections_.clearInjections();
    injections_.resetCounters();
    injections_.setBookkeeping(true);
}

ViStatus Engine::lock(ViSession vi, ViBoolean* callerHasLock) {
    std::shared_ptr<SessionLock> lock;
    {
        Guard guard(mutex_);
        auto it = sessions_.find(vi);
        if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
        lock = it->second->lock();
    }
    if (callerHasLock && *callerHasLock) return VI_SUCCESS;
    // Waits outside the state mutex, so a holder of the session lock can still use the engine.
    const ViStatus status = lock->lock();
    if (status == VI_SUCCESS && callerHasLock) *callerHasLock = VI_TRUE;
    return status;
}

ViStatus Engine::unlock(ViSession vi, ViBoolean* callerHasLock) {
    std::shared_ptr<SessionLock> lock;
    {
        Guard guard(mutex_);
        auto it = sessions_.find(vi);
        if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
        lock = it->second->lock();
    }
    if (callerHasLock && !*callerHasLock) return VI_SUCCESS;
    const ViStatus status = lock->unlock();
    if (status == VI_SUCCESS && callerHasLock) *callerHasLock = VI_FALSE;
    return status;
}

ViInt32 Engine::lockDepth(ViSession vi) {
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    return it == sessions_.end() ? -1 : it->second->lock()->depth();
}

ViStatus Engine::locate(ViSession vi, ViAttr id, Session*& session, Attribute*& attribute) {
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    session = it->second.get();
    attribute = session->find(id);
    if (!attribute || (attribute->flags & IVI_VAL_NOT_SUPPORTED)) return IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED;
    return VI_SUCCESS;
}

ViStatus Engine::extendRepCap(ViSession vi, ViConstString repCapName, ViConstString instanceList) {
    if (!repCapName) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    return it->second->extendRepCap(repCapName, instanceList);
}

ViStatus Engine::addAttribute(ViSession vi, ViConstString repCapName, ViAttr id, ViConstString name, IviAttrFlags flags,
                              Value defaultValue, GenericCallback read, GenericCallback write,
                              ViInt32 untypedCode) {
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    Session& session = *it->second;
    Attribute attribute;
    if (repCapName && *repCapName) {
        attribute.repCap = session.repCapName(repCapName);
        if (!attribute.repCap) return IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY;
    } else if (flags & IVI_VAL_MULTI_CHANNEL) {
        session.extendRepCap("Channel", "");
        attribute.repCap = session.repCapName("Channel");
    }
    attribute.id = id;
    attribute.name = name ? name : "";
    attribute.flags = flags;
    attribute.type = std::holds_alternative<std::monostate>(defaultValue) ? untypedCode : typeCode(defaultValue);
    attribute.defaultValue = std::move(defaultValue);
    attribute.read = read;
    attribute.write = write;
    return session.add(std::move(attribute));
}

ViStatus Engine::deleteAttribute(ViSession vi, ViAttr id) {
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    return it->second->remove(id);
}

bool Engine::isAvailable(ViSession vi, ViAttr id) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    return locate(vi, id, session, attribute) == VI_SUCCESS;
}

ViStatus Engine::attributeCount(ViSession vi, ViInt32* count) {
    if (!count) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    *count = it->second->count();
    return VI_SUCCESS;
}

ViStatus Engine::nthAttribute(ViSession vi, ViInt32 oneBasedIndex, ViAttr* id) {
    if (!id) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    if (oneBasedIndex < 1 || oneBasedIndex > it->second->count()) return IVI_ERROR_INVALID_PARAMETER;
    *id = it->second->nth(oneBasedIndex - 1);
    return VI_SUCCESS;
}

ViStatus Engine::attributeName(ViSession vi, ViAttr id, std::string& name) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    const ViStatus status = locate(vi, id, session, attribute);
    if (status == VI_SUCCESS) name = attribute->name;
    return status;
}

ViStatus Engine::attributeType(ViSession vi, ViAttr id, ViInt32* type) {
    if (!type) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    const ViStatus status = locate(vi, id, session, attribute);
    if (status == VI_SUCCESS) *type = attribute->type;
    return status;
}

ViStatus Engine::attributeFlags(ViSession vi, ViAttr id, IviAttrFlags* flags) {
    if (!flags) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    // Flags of an attribute marked not supported are still readable, so callers can see why.
    const Attribute* attribute = it->second->find(id);
    if (!attribute) return IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED;
    *flags = attribute->flags;
    return VI_SUCCESS;
}

ViStatus Engine::setAttributeFlags(ViSession vi, ViAttr id, IviAttrFlags flags) {
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    Attribute* attribute = it->second->find(id);
    if (!attribute) return IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED;
    attribute->flags = flags;
    return VI_SUCCESS;
}

ViStatus Engine::attributeRepCapName(ViSession vi, ViAttr id, ViConstString* repCapName) {
    if (!repCapName) return IVI_ERROR_NULL_POINTER;
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    const ViStatus status = locate(vi, id, session, attribute);
    if (status == VI_SUCCESS) *repCapName = attribute->repCap ? attribute->repCap->c_str() : "";
    return status;
}

ViStatus Engine::nthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 oneBasedIndex, ViConstString* name) {
    if (!repCapName || !name) return IVI_ERROR_NULL_POINTER;
    if (oneBasedIndex < 1) return IVI_ERROR_INVALID_PARAMETER;
    Guard guard(mutex_);
    auto it = sessions_.find(vi);
    if (it == sessions_.end()) return IVI_ERROR_INVALID_SESSION_HANDLE;
    if (!it->second->repCapName(repCapName)) return IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY;
    const std::string* instance = it->second->instance(repCapName, oneBasedIndex - 1);
    *name = instance ? instance->c_str() : nullptr;
    return VI_SUCCESS;
}

ViStatus Engine::validateForChannel(ViSession vi, ViConstString channel, ViAttr id) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    ViStatus status = locate(vi, id, session, attribute);
    if (status < 0) return status;
    std::string key;
    return session->resolveKey(*attribute, channel, key);
}

bool Engine::wasSetByUser(ViSession vi, ViConstString channel, ViAttr id, bool ever) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    std::string key;
    if (locate(vi, id, session, attribute) < 0 || session->resolveKey(*attribute, channel, key) < 0) return false;
    auto slot = attribute->slots.find(key);
    if (slot == attribute->slots.end()) return false;
    return ever ? slot->second.everSetByUser : slot->second.setByUser;
}

ViStatus Engine::markSetByUser(ViSession vi, ViConstString channel, ViAttr id, bool setByUser) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    std::string key;
    ViStatus status = locate(vi, id, session, attribute);
    if (status == VI_SUCCESS) status = session->resolveKey(*attribute, channel, key);
    if (status < 0) return status;
    Slot& slot = attribute->slot(key);
    slot.setByUser = setByUser;
    slot.everSetByUser = slot.everSetByUser || setByUser;
    return VI_SUCCESS;
}

ViStatus Engine::setCoerceCallback(ViSession vi, ViAttr id, SimIvi_CoerceCallback callback, void* context) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    const ViStatus status = locate(vi, id, session, attribute);
    if (status < 0) return status;
    attribute->coerce = callback;
    attribute->coerceContext = context;
    return VI_SUCCESS;
}

template <class T>
ViStatus Engine::set(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, const T& value,
                     bool checkOnly) {
    Guard guard(mutex_);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    ViStatus status = locate(vi, id, session, attribute);
    if (status < 0) return status;
    if (attribute->type != Traits<T>::kCode) return IVI_ERROR_TYPES_DO_NOT_MATCH;
    if ((attribute->flags & IVI_VAL_NOT_WRITABLE) ||
        (isUserCall(optionFlags) && (attribute->flags & IVI_VAL_NOT_USER_WRITABLE)))
        return IVI_ERROR_ATTR_NOT_WRITABLE;
    std::string key;
    status = session->resolveKey(*attribute, channel, key);
    if (status < 0) return status;

    T coerced = value;
    ViStatus warning = VI_SUCCESS;
    if (attribute->coerce) {
        SimIvi_Value record{};
        record.type = Traits<T>::kCode;
        Traits<T>::toSim(value, record);
        status = attribute->coerce(vi, key.c_str(), id, checkOnly ? VI_TRUE : VI_FALSE, &record, attribute->coerceContext);
        if (status < 0) return status;
        warning = status;
        coerced = Traits<T>::fromSim(record);
    }
    if (checkOnly) return warning;
    if (attribute->write) {
        status = reinterpret_cast<typename Traits<T>::Write>(attribute->write)(vi, 0, key.c_str(), id,
                                                                              Traits<T>::pass(coerced));
        if (status < 0) return status;
        if (warning == VI_SUCCESS) warning = status;
    }
    // A hook or callback may have changed the session.
    status = locate(vi, id, session, attribute);
    if (status < 0) return status;
    Slot& slot = attribute->slot(key);
    slot.value = coerced;
    if (isUserCall(optionFlags) && !(optionFlags & IVI_VAL_DONT_MARK_AS_SET_BY_USER))
        slot.setByUser = slot.everSetByUser = true;
    return warning;
}

template <class T>
ViStatus Engine::getErrorAttribute(ViSession vi, ViConstString channel, ViAttr id, T& value) {
    if (vi != VI_NULL) {
        Session* session = nullptr;
        Attribute* attribute = nullptr;
        const ViStatus status = locate(vi, id, session, attribute);
        if (status < 0) return status;
    }
    if (channel && *channel) return IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED;
    const PendingError pending = errors_.peek(vi);
    if constexpr (std::is_same_v<T, ViInt32>) {
        if (id == IVI_ATTR_ERROR_ELABORATION) return IVI_ERROR_TYPES_DO_NOT_MATCH;
        value = id == IVI_ATTR_PRIMARY_ERROR ? pending.primary : pending.secondary;
        return VI_SUCCESS;
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (id != IVI_ATTR_ERROR_ELABORATION) return IVI_ERROR_TYPES_DO_NOT_MATCH;
        value = pending.elaboration;
        return VI_SUCCESS;
    } else {
        return IVI_ERROR_TYPES_DO_NOT_MATCH;
    }
}

template <class T>
ViStatus Engine::get(ViSession vi, ViConstString channel, ViAttr id, ViInt32 optionFlags, T& value) {
    Guard guard(mutex_);
    // The null handle has no session but does have a pending error to read.
    if (isErrorAttribute(id)) return getErrorAttribute(vi, channel, id, value);
    Session* session = nullptr;
    Attribute* attribute = nullptr;
    ViStatus status = locate(vi, id, session, attribute);
    if (status < 0) return status;
    if (attribute->type != Traits<T>::kCode) return IVI_ERROR_TYPES_DO_NOT_MATCH;
    if ((attribute->flags & IVI_VAL_NOT_READABLE) ||
        (isUserCall(optionFlags) && (attribute->flags & IVI_VAL_NOT_USER_READABLE)))
        return IVI_ERROR_ATTR_NOT_READABLE;
    std::string key;
    status = session->resolveKey(*attribute, channel, key);
    if (status < 0) return status;
    if constexpr (!std::is_same_v<T, std::string>) {
        if (attribute->read) {
            T read{};
            status = reinterpret_cast<typename Traits<T>::Read>(attribute->read)(vi, 0, key.c_str(), id, &read);
            if (status < 0) return status;
            const ViStatus readStatus = status;
            status = locate(vi, id, session, attribute);
            if (status < 0) return status;
            attribute->slot(key).value = read;
            value = read;
            return readStatus;
        }
    }
    value = std::get<T>(attribute->slot(key).value);
    return VI_SUCCESS;
}

bool Engine::flag(ViSession vi, ViAttr id) {
    ViBoolean value = VI_FALSE;
    return get<ViBoolean>(vi, "", id, 0, value) == VI_SUCCESS && value != VI_FALSE;
}

#define SIMIVI_INSTANTIATE(T)                                                                              \
    template ViStatus Engine::set<T>(ViSession, ViConstString, ViAttr, ViInt32, const T&, bool);         \
    template ViStatus Engine::get<T>(ViSession, ViConstString, ViAttr, ViInt32, T&);
SIMIVI_INSTANTIATE(ViInt32)
SIMIVI_INSTANTIATE(ViInt64)
SIMIVI_INSTANTIATE(ViReal64)
SIMIVI_INSTANTIATE(std::string)
SIMIVI_INSTANTIATE(ViAddr)
SIMIVI_INSTANTIATE(ViSession)
SIMIVI_INSTANTIATE(ViBoolean)
#undef SIMIVI_INSTANTIATE

}  // namespace simivi
