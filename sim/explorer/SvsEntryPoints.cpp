// Entry points of svs and the test controls of the stand-in.
#include <mutex>
#include <new>

#include "ObserverRegistry.h"
#include "StorageObject.h"
#include "SvsConfiguration.h"
#include "explorer/SimSvs.h"
#include "explorer/SvsApi.h"
#include "storage/SimStorage.h"

using orvsim::explorer::ObserverRegistry;
using orvsim::explorer::StorageObject;
using orvsim::explorer::SvsConfiguration;

namespace {

std::atomic<HRESULT> g_configurationFailure{0};

void onStorageChange(void*, int32_t event, const tSSRawGUID* id) { ObserverRegistry::instance().deliver(event, id); }

// The explorer follows the storage from its first configuration object on, for the process's life.
void followStorage() {
    static std::once_flag once;
    std::call_once(once, [] { SimStorage_subscribe(&onStorageChange, nullptr); });
}

}  // namespace

extern "C" {

HRESULT svsGetConfigurationEx(void* reserved, ULONG flags, const wchar_t* name, IsvsConfiguration** configuration) {
    if (configuration == nullptr) return E_POINTER;
    *configuration = nullptr;
    if (reserved != nullptr) return E_INVALIDARG;
    HRESULT failure = g_configurationFailure.load();
    if (failure != 0) return failure;
    try {
        followStorage();
        *configuration = new SvsConfiguration(flags, name);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT svsGetConfiguration(void* reserved, ULONG flags, IsvsConfiguration** configuration) {
    return svsGetConfigurationEx(reserved, flags, nullptr, configuration);
}

HRESULT svsInitialize(ULONG) { return S_OK; }

HRESULT svsFinalize() { return S_OK; }

uint32_t SimSvs_getSubscriptionCount(void) { return ObserverRegistry::instance().count(); }

uint32_t SimSvs_getConfigurationCount(void) { return SvsConfiguration::aliveCount.load(); }

void SimSvs_setConfigurationFailure(int32_t hr) { g_configurationFailure.store(hr); }

void SimSvs_setSubscribeFailure(int32_t hr) { SvsConfiguration::subscribeFailure.store(hr); }

void SimSvs_setGetIDFailure(int32_t hr) { StorageObject::getIDFailure.store(hr); }

}  // extern "C"
