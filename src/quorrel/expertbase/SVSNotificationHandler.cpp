#include "quorrel/expertbase/SVSNotificationHandler.h"

#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

SVSNotificationHandler::SVSNotificationHandler(PropertyBagFactoryInterface& factory,
                                               sysapicpp::PropertyBagCacheInterface& cache,
                                               sysapicpp::NotificationHandler& notifications,
                                               hostbinding::SvsLibraryBindingInterface& binding) {
    CORVComPtr<CORVComObject<SVSStorageObserver>> observer;
    SYSAPICPP_CHECK((CORVComObject<SVSStorageObserver>::createInstance(observer, factory, cache, notifications)));
    observer_ = CORVComPtr<IsvsStorageObserver>(observer.detach(), false);
    HRESULT hr = E_FAIL;
    configuration_ = CORVComPtr<IsvsConfiguration>(
        binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr), false);
    if (!configuration_ && SUCCEEDED(hr)) hr = E_FAIL;
    SYSAPICPP_CHECK(hr);
    SYSAPICPP_CHECK(configuration_->Subscribe(kSvsSubscriptionDevices, &SVS_CATEGORY_DEVICES, observer_.get()));
    ++subscriptions_;
}

SVSNotificationHandler::~SVSNotificationHandler() {
    for (; subscriptions_ > 0; --subscriptions_) (void)configuration_->Unsubscribe(observer_.get());
}

}  // namespace nORVMISysAPICommon100
