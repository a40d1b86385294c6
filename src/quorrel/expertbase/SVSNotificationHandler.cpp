#include "quorrel/expertbase/SVSNotificationHandler.h"

#include "common/orverr/Raise.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

SVSNotificationHandler::SVSNotificationHandler(PropertyBagFactoryInterface& factory,
                                               sysapicpp::PropertyBagCache& cache,
                                               sysapicpp::NotificationHandler& notifications,
                                               hostbinding::SvsLibraryBinding& binding) {
    CORVComPtr<CORVComObject<SVSStorageObserver>> observer;
    SYSAPICPP_CHECK((CORVComObject<SVSStorageObserver>::createInstance(observer, factory, cache, notifications)));
    observer_ = CORVComPtr<IsvsStorageObserver>(observer.detach(), false);
    HRESULT hr = E_FAIL;
    configuration_ = CORVComPtr<IsvsConfiguration>(
        binding.getConfiguration(kSvsConfigurationFlagsExpert, nullptr, &hr), false);
    if (!configuration_ && SUCCEEDED(hr)) hr = E_FAIL;
    if (!configuration_) {
        // Without the explorer's libraries the host hears what was looked for, not a bare E_FAIL.
        const std::string why = binding.failure();
        if (!why.empty()) ORVERR_THROW(orverr::codes::kResourceNotFound).comment(why.c_str()).raise();
    }
    SYSAPICPP_CHECK(hr);
    SYSAPICPP_CHECK(configuration_->Subscribe(kSvsSubscriptionDevices, &SVS_CATEGORY_DEVICES, observer_.get()));
    ++subscriptions_;
}

SVSNotificationHandler::~SVSNotificationHandler() {
    for (; subscriptions_ > 0; --subscriptions_) (void)configuration_->Unsubscribe(observer_.get());
}

}  // namespace nORVMISysAPICommon100
